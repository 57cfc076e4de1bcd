// The terminal a run is attached to: its saved mode, the key and line modes,
// whole writes of escape sequences, and the restore on every way out (normal
// end, Ctrl-C, SIGTERM, SIGHUP, a fatal signal).
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace atb {

class Tty {
public:
    // Either side may be a terminal; with neither, nothing is changed.
    Tty(int inFd, int outFd);
    ~Tty();
    Tty(const Tty&) = delete;
    Tty& operator=(const Tty&) = delete;

    bool inputIsTerminal() const { return inTty_; }
    bool outputIsTerminal() const { return outTty_; }
    int inputFd() const { return inFd_; }

    // Writes the bytes whole under the output lock; false once the output is gone.
    bool write(std::string_view bytes);
    // The terminal's size in cells; false when it cannot be had.
    bool size(int& columns, int& rows) const;

    // Key polling starts: the kitty keyboard flags go on where supported.
    void startPolling();
    bool kittyActive() const { return kittyPushed_; }
    // Bytes typed while start-up waited for the terminal's answers.
    std::string takePendingKeys();
    // Line input with echo for INPUT, then back to keys without echo.
    // Keystrokes left unread by polling are dropped, not typed into the line.
    void lineMode();
    void keyMode();

    // The program changed the cursor's shape: the end gives back the usual one.
    void noteCursorShaped() { cursorShaped_ = true; }

    void enterAlternateScreen();
    void leaveAlternateScreen();

    // Gives the terminal back as it was found. Safe to call more than once.
    void restore();
    // Ctrl-C seen as a key event (the kitty protocol swallows the signal).
    void interrupt();
    // From a fatal signal's handler: async-signal-safe, no lock taken.
    void emergencyRestore();

private:
    void applyKeyMode();
    void detectKitty();
    void signalLoop();
    std::string restoreSequence() const;
    bool lockForRestore();
    void restoreHolding(bool locked);

    int inFd_, outFd_;
    bool inTty_ = false, outTty_ = false;
    bool kittySupported_ = false;
    std::atomic<bool> kittyPushed_{false};
    std::atomic<bool> alternate_{false};
    std::atomic<bool> cursorShaped_{false};
    bool polled_ = false;
    std::atomic<bool> restored_{false};
    std::string pendingKeys_;
    std::timed_mutex outLock_;
    struct Saved;
    std::unique_ptr<Saved> saved_;
    std::thread signals_;
    std::atomic<bool> stopping_{false};
};

} // namespace atb
