#include "platform/terminal_keyboard.h"

#include <chrono>
#include <poll.h>
#include <unistd.h>

namespace atb {

namespace {

// A lone Esc is told from the start of a sequence by the silence after it.
constexpr int EscTimeoutMs = 50;
constexpr int32_t ScanC = 46;

int64_t nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void TerminalKeyboard::readAvailable(int timeoutMs)
{
    pollfd p{tty_.inputFd(), POLLIN, 0};
    while (::poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN)) {
        char buf[512];
        ssize_t n = ::read(tty_.inputFd(), buf, sizeof buf);
        if (n <= 0) return;
        decoder_.feed(std::string_view(buf, static_cast<size_t>(n)), events_);
        timeoutMs = 0;
    }
}

bool TerminalKeyboard::examine()
{
    tty_.startPolling();
    if (tty_.kittyActive() != kitty_) {  // releases start or stop being reported
        kitty_ = tty_.kittyActive();
        states_.clear();
    }
    events_.clear();
    decoder_.feed(tty_.takePendingKeys(), events_);
    readAvailable(0);
    if (decoder_.pending()) {
        readAvailable(EscTimeoutMs);
        if (decoder_.pending()) decoder_.timeout(events_);
    }
    int64_t now = nowMs();
    for (const KeyEvent& e : events_) {
        if (e.scan == ScanC && (e.mods & KeyEvent::Ctrl) && e.type == KeyEvent::Press)
            tty_.interrupt();
        states_.apply(e, now);
    }
    any_ = false;
    for (int32_t s = 0; s < 256; ++s) {
        down_[static_cast<size_t>(s)] = states_.isDown(s, now);
        if (s <= 254 && down_[static_cast<size_t>(s)]) any_ = true;
    }
    return true;
}

bool TerminalKeyboard::isPushed(int32_t scanCode)
{
    return scanCode >= 0 && scanCode < 256 && down_[static_cast<size_t>(scanCode)];
}

} // namespace atb
