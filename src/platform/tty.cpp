#include "platform/tty.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iterator>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace atb {

namespace {

// Signals that end the run: a thread of the Tty waits for them and restores
// the terminal before the process goes. SIGUSR1 only wakes it to stop.
sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1}) sigaddset(&set, sig);
    return set;
}

constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

const char ResetLook[] = "\x1b[0m\x1b[?25h";  // colours, visible cursor
const char UsualShape[] = "\x1b[0 q";
const char KittyPop[] = "\x1b[<u";
const char KittyPush[] = "\x1b[>11u";  // disambiguate | event types | all keys as escapes
const char LeaveAlternate[] = "\x1b[?1049l";
const char Cancel[] = "\x18";  // ends any escape sequence a write left half done

bool writeAll(int fd, const char* p, size_t n)
{
    while (n > 0) {
        ssize_t k = ::write(fd, p, n);
        if (k > 0) {
            p += k;
            n -= static_cast<size_t>(k);
        } else if (k < 0 && errno == EINTR) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

struct Tty::Saved {
    termios mode{};
    sigset_t oldMask{};
    struct sigaction oldFatal[std::size(FatalSignals)]{};
};

// The one static of the terminal code: a fatal signal runs a handler that
// has no other way to reach the terminal it must give back.
static std::atomic<Tty*> fatalTarget{nullptr};

extern "C" void atbFatalSignal(int sig);

Tty::Tty(int inFd, int outFd) : inFd_(inFd), outFd_(outFd), saved_(std::make_unique<Saved>())
{
    inTty_ = ::isatty(inFd) == 1 && ::tcgetattr(inFd, &saved_->mode) == 0;
    outTty_ = ::isatty(outFd) == 1;
    if (!inTty_ && !outTty_) return;

    sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, &saved_->oldMask);
    signals_ = std::thread([this] { signalLoop(); });

    fatalTarget.store(this);
    struct sigaction sa {};
    sa.sa_handler = atbFatalSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = static_cast<int>(SA_RESETHAND);
    for (size_t i = 0; i < std::size(FatalSignals); ++i)
        sigaction(FatalSignals[i], &sa, &saved_->oldFatal[i]);

    if (inTty_) applyKeyMode();
    if (inTty_ && outTty_) detectKitty();
}

Tty::~Tty()
{
    restore();
    if (signals_.joinable()) {
        stopping_ = true;
        pthread_kill(signals_.native_handle(), SIGUSR1);
        signals_.join();
        for (size_t i = 0; i < std::size(FatalSignals); ++i)
            sigaction(FatalSignals[i], &saved_->oldFatal[i], nullptr);
        fatalTarget.store(nullptr);
        pthread_sigmask(SIG_SETMASK, &saved_->oldMask, nullptr);
    }
}

// Every change to the terminal is made under the output lock, and none once
// the terminal has been restored: an ending signal's restore holds the lock
// until the process is gone, so nothing the program still does can undo it.
bool Tty::write(std::string_view bytes)
{
    std::lock_guard lock(outLock_);
    return !restored_ && writeAll(outFd_, bytes.data(), bytes.size());
}

bool Tty::size(int& columns, int& rows) const
{
    winsize ws{};
    if (!outTty_ || ::ioctl(outFd_, TIOCGWINSZ, &ws) != 0 || ws.ws_col == 0 || ws.ws_row == 0)
        return false;
    columns = ws.ws_col;
    rows = ws.ws_row;
    return true;
}

void Tty::applyKeyMode()
{
    termios t = saved_->mode;
    t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    t.c_lflag |= ISIG;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON);  // Ctrl-S and Ctrl-Q are keys, not flow control
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSUSP] = _POSIX_VDISABLE;  // a stopped program would leave the terminal without echo
    ::tcsetattr(inFd_, TCSANOW, &t);
}

void Tty::keyMode()
{
    std::lock_guard lock(outLock_);
    if (inTty_ && !restored_) applyKeyMode();
}

void Tty::lineMode()
{
    std::lock_guard lock(outLock_);
    if (!inTty_ || restored_) return;
    if (kittyPushed_.exchange(false)) writeAll(outFd_, KittyPop, sizeof KittyPop - 1);
    if (polled_) ::tcflush(inFd_, TCIFLUSH);
    termios t = saved_->mode;
    t.c_lflag |= ICANON | ECHO | ISIG;
    ::tcsetattr(inFd_, TCSANOW, &t);
}

void Tty::startPolling()
{
    std::lock_guard lock(outLock_);
    polled_ = true;
    if (restored_) return;
    if (kittySupported_ && !kittyPushed_.exchange(true)) writeAll(outFd_, KittyPush, sizeof KittyPush - 1);
}

// Asks for the kitty keyboard flags, then for the device attributes that every
// terminal answers: a flags reply before the attributes means support. Keys
// typed meanwhile are kept for the first poll.
void Tty::detectKitty()
{
    if (!write("\x1b[?u\x1b[c")) return;
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    for (bool answered = false; !answered;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{inFd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buf[256];
        ssize_t n = ::read(inFd_, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<size_t>(n));
        // Take the replies out, CSI ? digits u and CSI ? digits c.
        for (size_t at; !answered && (at = got.find("\x1b[?")) != std::string::npos;) {
            size_t end = got.find_first_not_of("0123456789;", at + 3);
            if (end == std::string::npos) break;
            if (got[end] == 'u') kittySupported_ = true;
            if (got[end] == 'c') answered = true;
            pendingKeys_ += got.substr(0, at);
            got.erase(0, end + 1);
        }
    }
    pendingKeys_ += got;
}

std::string Tty::takePendingKeys()
{
    std::string keys;
    keys.swap(pendingKeys_);
    return keys;
}

void Tty::enterAlternateScreen()
{
    static constexpr char Enter[] = "\x1b[?1049h\x1b[H\x1b[2J";
    std::lock_guard lock(outLock_);
    if (outTty_ && !restored_ && !alternate_.exchange(true)) writeAll(outFd_, Enter, sizeof Enter - 1);
}

void Tty::leaveAlternateScreen()
{
    std::lock_guard lock(outLock_);
    if (!restored_ && alternate_.exchange(false)) writeAll(outFd_, LeaveAlternate, sizeof LeaveAlternate - 1);
}

std::string Tty::restoreSequence() const
{
    std::string s = ResetLook;
    if (cursorShaped_) s += UsualShape;
    if (kittyPushed_) s += KittyPop;
    if (alternate_) s += LeaveAlternate;
    return s;
}

void Tty::restore()
{
    bool locked = lockForRestore();
    restoreHolding(locked);
    if (locked) outLock_.unlock();
}

// A writer stuck on a stopped terminal must not keep the restore out.
bool Tty::lockForRestore() { return outLock_.try_lock_for(std::chrono::milliseconds(500)); }

void Tty::restoreHolding(bool locked)
{
    if (!restored_) {
        restored_ = true;
        if (outTty_) {
            if (!locked) writeAll(outFd_, Cancel, sizeof Cancel - 1);
            std::string s = restoreSequence();
            writeAll(outFd_, s.data(), s.size());
        }
        kittyPushed_ = false;
        alternate_ = false;
        if (inTty_) {
            if (polled_) ::tcflush(inFd_, TCIFLUSH);
            ::tcsetattr(inFd_, TCSANOW, &saved_->mode);
        }
    }
}

void Tty::interrupt() { ::kill(::getpid(), SIGINT); }

void Tty::signalLoop()
{
    sigset_t set = endingSignals();
    for (;;) {
        int sig = 0;
        if (sigwait(&set, &sig) != 0) continue;
        if (sig == SIGUSR1) {
            if (stopping_) return;
            continue;
        }
        // The lock stays taken until the process is gone.
        restoreHolding(lockForRestore());
        if (outTty_) writeAll(outFd_, "\r\n", 2);
        ::_exit(0);
    }
}

// Only async-signal-safe calls: write, tcsetattr, then the default action.
extern "C" void atbFatalSignal(int sig)
{
    Tty* tty = fatalTarget.load();
    if (tty != nullptr) tty->emergencyRestore();
    ::raise(sig);
}

void Tty::emergencyRestore()
{
    if (outTty_) {
        writeAll(outFd_, Cancel, sizeof Cancel - 1);
        writeAll(outFd_, ResetLook, sizeof ResetLook - 1);
        if (cursorShaped_) writeAll(outFd_, UsualShape, sizeof UsualShape - 1);
        if (kittyPushed_) writeAll(outFd_, KittyPop, sizeof KittyPop - 1);
        if (alternate_) writeAll(outFd_, LeaveAlternate, sizeof LeaveAlternate - 1);
    }
    if (inTty_) ::tcsetattr(inFd_, TCSANOW, &saved_->mode);
}

} // namespace atb
