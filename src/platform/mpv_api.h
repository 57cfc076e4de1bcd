// libmpv's client functions, reached through dlopen: linking libmpv pulls in
// a few hundred libraries, which would slow every start-up by a large part
// of a second even when the working directory holds no media.
#pragma once

#include <memory>
#include <mpv/client.h>

namespace atb {

struct MpvApi {
    decltype(&mpv_create) create;
    decltype(&mpv_set_option_string) setOptionString;
    decltype(&mpv_initialize) initialize;
    decltype(&mpv_command) command;
    decltype(&mpv_command_async) commandAsync;
    decltype(&mpv_set_property_async) setPropertyAsync;
    decltype(&mpv_get_property) getProperty;
    decltype(&mpv_wait_event) waitEvent;
    decltype(&mpv_terminate_destroy) terminateDestroy;

    // The library's functions, or null when it is not installed or too old.
    // The library stays loaded until the process ends.
    static std::unique_ptr<MpvApi> load();
};

} // namespace atb
