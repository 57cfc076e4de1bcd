#include "platform/mpv_api.h"

#include <dlfcn.h>

namespace atb {

namespace {

template <typename F>
bool find(void* lib, const char* name, F& out)
{
    void* sym = ::dlsym(lib, name);
    out = reinterpret_cast<F>(sym);
    return sym != nullptr;
}

} // namespace

std::unique_ptr<MpvApi> MpvApi::load()
{
    void* lib = nullptr;
    for (const char* name : {"libmpv.so.2", "libmpv.so"}) {
        lib = ::dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (lib != nullptr) break;
    }
    if (lib == nullptr) return nullptr;
    auto api = std::make_unique<MpvApi>();
    decltype(&mpv_client_api_version) version = nullptr;
    bool ok = find(lib, "mpv_client_api_version", version) &&
              version() >> 16 == MPV_CLIENT_API_VERSION >> 16 &&
              find(lib, "mpv_create", api->create) &&
              find(lib, "mpv_set_option_string", api->setOptionString) &&
              find(lib, "mpv_initialize", api->initialize) &&
              find(lib, "mpv_command", api->command) &&
              find(lib, "mpv_command_async", api->commandAsync) &&
              find(lib, "mpv_set_property_async", api->setPropertyAsync) &&
              find(lib, "mpv_get_property", api->getProperty) &&
              find(lib, "mpv_wait_event", api->waitEvent) &&
              find(lib, "mpv_terminate_destroy", api->terminateDestroy);
    // RTLD_NODELETE keeps the code mapped; dropping the handle is harmless.
    ::dlclose(lib);
    return ok ? std::move(api) : nullptr;
}

} // namespace atb
