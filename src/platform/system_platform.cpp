#include "platform/system_platform.h"

#include "platform/mpv_media.h"
#include "platform/plain_console.h"
#include "platform/sdl_sound.h"
#include "platform/system_services.h"
#include "platform/terminal_console.h"
#include "platform/terminal_dialogs.h"
#include "platform/terminal_keyboard.h"
#include "platform/tty.h"
#include "platform/zenity_dialogs.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace atb {

namespace {

bool hasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') return true;
    }
    return false;
}

} // namespace

// On a terminal the terminal services; otherwise bytes in and out exactly.
// The terminal's keys are read only when its output is the terminal too.
struct SystemPlatform::Parts {
    bool outTerminal = ::isatty(1) == 1;
    Tty tty{outTerminal ? 0 : -1, 1};  // first: holds back the ending signals before any thread starts
    StdinSource input;
    std::unique_ptr<Console> console;
    std::unique_ptr<Keyboard> keyboard;
    SteadyClock clock;
    TimeSeededRandom random;
    SdlSoundSlots sound;
    MpvMediaSlots media;
    std::unique_ptr<Dialogs> fallbackDialogs;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Platform> platform;

    Parts()
    {
        if (outTerminal)
            console = std::make_unique<TerminalConsole>(tty, input);
        else
            console = std::make_unique<PlainConsole>(input);
        if (tty.inputIsTerminal())
            keyboard = std::make_unique<TerminalKeyboard>(tty);
        else
            keyboard = std::make_unique<PipeKeyboard>(input);
        if (tty.inputIsTerminal())
            fallbackDialogs = std::make_unique<TerminalDialogs>(tty);
        else
            fallbackDialogs = std::make_unique<StderrDialogs>();
        std::string zenity = hasDisplay() ? ZenityDialogs::findOnPath("zenity") : std::string();
        if (!zenity.empty())
            dialogs = std::make_unique<ZenityDialogs>(zenity, workingDirectory(), *fallbackDialogs);
        Dialogs& chosen = dialogs ? *dialogs : *fallbackDialogs;
        platform.reset(new Platform{*console, *keyboard, clock, random, sound, media, chosen});
    }
};

SystemPlatform::SystemPlatform()
{
    // A closed output pipe shows up as a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    parts_ = std::make_unique<Parts>();
}

SystemPlatform::~SystemPlatform() = default;

Platform& SystemPlatform::platform() { return *parts_->platform; }

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
