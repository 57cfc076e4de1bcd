#include "platform/system_platform.h"

#include "platform/mpv_media.h"
#include "platform/plain_console.h"
#include "platform/sdl_sound.h"
#include "platform/system_services.h"

#include <csignal>
#include <unistd.h>

namespace atb {

struct SystemPlatform::Parts {
    StdinSource input;
    PlainConsole console{input};
    PipeKeyboard keyboard{input};
    SteadyClock clock;
    TimeSeededRandom random;
    SdlSoundSlots sound;
    MpvMediaSlots media;
    StderrDialogs dialogs;
    Platform platform{console, keyboard, clock, random, sound, media, dialogs};
};

SystemPlatform::SystemPlatform()
{
    // A closed output pipe shows up as a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    parts_ = std::make_unique<Parts>();
}

SystemPlatform::~SystemPlatform() = default;

Platform& SystemPlatform::platform() { return parts_->platform; }

std::string SystemPlatform::systemSoundPath(int32_t slot)
{
    static const char* const Names[] = {"bell", "dialog-information", "message", "complete"};
    if (slot < 16 || slot > 19) return {};
    return std::string("/usr/share/sounds/freedesktop/stereo/") + Names[slot - 16] + ".oga";
}

std::string SystemPlatform::workingDirectory()
{
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return {};
    std::string dir(buffer);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

} // namespace atb
