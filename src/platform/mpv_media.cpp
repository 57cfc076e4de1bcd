#include "platform/mpv_media.h"

#include "platform/mpv_api.h"
#include "platform/quiet_libraries.h"

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <sys/stat.h>
#include <utility>

namespace atb {

namespace {

bool isFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool hasDisplay()
{
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (w != nullptr && *w != '\0');
}

struct Option {
    const char* name;
    const char* value;
};

const Option PlayerOptions[] = {
    {"config", "no"}, {"terminal", "no"}, {"msg-level", "all=no"},
    {"idle", "yes"}, {"pause", "yes"}, {"loop-file", "no"},
    // At its end a file stays open on its last frame. Not paused there: mpv
    // would pause it again after a PLAY's unpause but before its rewind.
    {"keep-open", "yes"}, {"keep-open-pause", "no"},
    {"geometry", "+0+0"}, {"force-window", "no"}, {"osc", "no"},
    {"input-default-bindings", "no"}, {"input-vo-keyboard", "no"},
    {"load-scripts", "no"}, {"ytdl", "no"}, {"sub-auto", "no"}, {"audio-display", "no"},
    // No sound device: the audio goes nowhere instead of unloading the file.
    {"audio-fallback-to-null", "yes"},
};

} // namespace

MpvMediaSlots::Outputs MpvMediaSlots::defaultOutputs()
{
    Outputs o;
    // Without a display mpv would spend a while trying every video output.
    if (!hasDisplay()) o.video = "null";
    // Never SDL's audio: the sound slots own SDL in this process, and two
    // users of its audio state deadlock when they shut down.
    o.audio = "pipewire,pulse,alsa,jack";
    return o;
}

MpvMediaSlots::MpvMediaSlots(Outputs outputs) : outputs_(std::move(outputs)) {}

MpvMediaSlots::~MpvMediaSlots()
{
    StderrMuffle quiet;
    for (mpv_handle*& h : players_) {
        if (h != nullptr) api_->terminateDestroy(h);
        h = nullptr;
    }
}

mpv_handle* MpvMediaSlots::player(int32_t slot) const
{
    return slot >= 1 && slot <= Slots ? players_[static_cast<size_t>(slot - 1)] : nullptr;
}

bool MpvMediaSlots::loaded(int32_t slot) const { return player(slot) != nullptr; }

// Drops whatever events have piled up, without waiting.
void MpvMediaSlots::drain(mpv_handle* h)
{
    while (api_->waitEvent(h, 0)->event_id != MPV_EVENT_NONE) {
    }
}

// Waits, for a bounded time, for the file to be opened; false when it could
// not be. Once it is open, waits (within the same bound) for the first frame
// or sound to be ready, so that the outputs have started, and said whatever
// they print, before stderr is given back.
bool MpvMediaSlots::waitLoaded(mpv_handle* h)
{
    using Steady = std::chrono::steady_clock;
    auto deadline = Steady::now() + std::chrono::milliseconds(outputs_.openTimeoutMs);
    bool loaded = false;
    for (;;) {
        double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (left <= 0) return loaded;
        mpv_event* e = api_->waitEvent(h, left);
        if (e->event_id == MPV_EVENT_FILE_LOADED) loaded = true;
        if (e->event_id == MPV_EVENT_PLAYBACK_RESTART && loaded) return true;
        if (e->event_id == MPV_EVENT_END_FILE || e->event_id == MPV_EVENT_SHUTDOWN) return false;
    }
}

void MpvMediaSlots::seekToStart(mpv_handle* h)
{
    const char* cmd[] = {"seek", "0", "absolute+exact", nullptr};
    api_->commandAsync(h, 0, cmd);
}

void MpvMediaSlots::setAsync(mpv_handle* h, const char* name, const char* value)
{
    api_->setPropertyAsync(h, 0, name, MPV_FORMAT_STRING, &value);
}

void MpvMediaSlots::load(int32_t slot, const std::string& path)
{
    if (slot < 1 || slot > Slots || player(slot) != nullptr || !isFile(path)) return;
    if (!apiTried_) {
        apiTried_ = true;
        api_ = MpvApi::load();
    }
    if (!api_) return;
    silenceAlsa();
    // libmpv reads and writes numbers in the C locale only.
    std::setlocale(LC_NUMERIC, "C");
    StderrMuffle quiet;
    mpv_handle* h = api_->create();
    if (h == nullptr) return;
    for (const Option& o : PlayerOptions) api_->setOptionString(h, o.name, o.value);
    if (!outputs_.video.empty()) api_->setOptionString(h, "vo", outputs_.video.c_str());
    if (!outputs_.audio.empty()) api_->setOptionString(h, "ao", outputs_.audio.c_str());
    const char* cmd[] = {"loadfile", path.c_str(), nullptr};
    if (api_->initialize(h) < 0 || api_->command(h, cmd) < 0 || !waitLoaded(h)) {
        api_->terminateDestroy(h);
        return;
    }
    drain(h);
    players_[static_cast<size_t>(slot - 1)] = h;
}

void MpvMediaSlots::play(int32_t slot)
{
    mpv_handle* h = player(slot);
    if (h == nullptr) return;
    drain(h);
    seekToStart(h);
    setAsync(h, "pause", "no");
}

void MpvMediaSlots::stop(int32_t slot)
{
    mpv_handle* h = player(slot);
    if (h == nullptr) return;
    drain(h);
    setAsync(h, "pause", "yes");
    seekToStart(h);
}

double MpvMediaSlots::position(int32_t slot)
{
    mpv_handle* h = player(slot);
    if (h == nullptr) return -1;
    double pos = 0;
    if (api_->getProperty(h, "time-pos", MPV_FORMAT_DOUBLE, &pos) < 0) return -1;
    return pos;
}

bool MpvMediaSlots::flag(int32_t slot, const char* name)
{
    mpv_handle* h = player(slot);
    if (h == nullptr) return false;
    int value = 0;
    api_->getProperty(h, name, MPV_FORMAT_FLAG, &value);
    return value != 0;
}

bool MpvMediaSlots::paused(int32_t slot) { return player(slot) == nullptr || flag(slot, "pause"); }

bool MpvMediaSlots::atEnd(int32_t slot) { return flag(slot, "eof-reached"); }

} // namespace atb
