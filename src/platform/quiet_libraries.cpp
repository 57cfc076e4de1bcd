#include "platform/quiet_libraries.h"

#include "platform/dl_symbols.h"

#include <alsa/asoundlib.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace atb {

namespace {

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

// ALSA is reached through dlopen like the libraries that use it, so that
// programs without sound or media never load it.
void silenceAlsa()
{
    void* alsa = openLibrary({"libasound.so.2"});
    if (alsa == nullptr) return;
    decltype(&snd_lib_error_set_handler) setHandler = nullptr;
    if (findSymbol(alsa, "snd_lib_error_set_handler", setHandler)) setHandler(&ignoreAlsaError);
    ::dlclose(alsa);
}

StderrMuffle::StderrMuffle()
{
    std::fflush(stderr);
    int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    saved_ = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (saved_ >= 0) ::dup2(null, 2);
    ::close(null);
}

StderrMuffle::~StderrMuffle()
{
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, 2);
    ::close(saved_);
}

} // namespace atb
