#include "platform/mpv_api.h"

#include "platform/dl_symbols.h"

namespace atb {

std::unique_ptr<MpvApi> MpvApi::load()
{
    void* lib = openLibrary({"libmpv.so.2", "libmpv.so"});
    if (lib == nullptr) return nullptr;
    auto api = std::make_unique<MpvApi>();
    decltype(&mpv_client_api_version) version = nullptr;
    bool ok = findSymbol(lib, "mpv_client_api_version", version) &&
              version() >> 16 == MPV_CLIENT_API_VERSION >> 16 &&
              findSymbol(lib, "mpv_create", api->create) &&
              findSymbol(lib, "mpv_set_option_string", api->setOptionString) &&
              findSymbol(lib, "mpv_initialize", api->initialize) &&
              findSymbol(lib, "mpv_command", api->command) &&
              findSymbol(lib, "mpv_command_async", api->commandAsync) &&
              findSymbol(lib, "mpv_set_property_async", api->setPropertyAsync) &&
              findSymbol(lib, "mpv_get_property", api->getProperty) &&
              findSymbol(lib, "mpv_wait_event", api->waitEvent) &&
              findSymbol(lib, "mpv_terminate_destroy", api->terminateDestroy);
    ::dlclose(lib);
    return ok ? std::move(api) : nullptr;
}

} // namespace atb
