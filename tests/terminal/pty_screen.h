// The real executable on a pseudo-terminal whose output libvterm renders, so
// a test can look at the screen as a user would: cells, colours, cursor.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct VTerm;
struct VTermScreen;

namespace atbtest {

struct Cell {
    std::string text;  // UTF-8, "" for an empty cell
    int fg = -1, bg = -1;  // palette index; -1 the default colour
};

class PtyScreen {
public:
    struct Options {
        std::vector<std::string> args;  // after the executable's name
        std::string directory;          // the working directory
        std::vector<std::string> env;   // NAME=VALUE added to a clean environment
        bool kitty = false;             // answer the kitty keyboard query as a terminal that has it
    };
    explicit PtyScreen(const Options& options);
    ~PtyScreen();
    PtyScreen(const PtyScreen&) = delete;
    PtyScreen& operator=(const PtyScreen&) = delete;

    void send(const std::string& bytes);
    // Pumps output until the condition holds; false after the timeout.
    bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool waitForText(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits for the process to end; false if it did not within the timeout.
    bool waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    std::string row(int r) const;  // the row's text, trailing blanks removed
    std::string screenText() const;  // every row, each ended by '\n'
    Cell cell(int row, int col) const;
    int cursorRow() const;
    int cursorCol() const;
    bool cursorVisible() const { return cursorVisible_; }
    int cursorShape() const { return cursorShape_; }
    bool alternateScreen() const { return altScreen_; }
    int bells() const { return bells_; }
    // The pen's colours now: -1 where it is the default.
    int penForeground() const;
    int penBackground() const;
    const std::string& rawOutput() const { return raw_; }
    // The terminal's line discipline flags now, and as they were at the start.
    unsigned localFlags() const;
    unsigned startLocalFlags() const { return startLflag_; }
    int pid() const { return pid_; }

    static constexpr int Rows = 25, Cols = 80;

private:
    void pump(int timeoutMs);
    friend struct ScreenCallbacks;

    VTerm* vt_ = nullptr;
    VTermScreen* screen_ = nullptr;
    int master_ = -1, slave_ = -1, pid_ = -1;
    bool exited_ = false;
    bool kitty_ = false;
    bool cursorVisible_ = true;
    int cursorShape_ = 1;
    bool altScreen_ = false;
    int bells_ = 0;
    unsigned startLflag_ = 0;
    std::string raw_;
    size_t queryScan_ = 0;
};

// A fresh directory with the given files (name, bytes); removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    void write(const std::string& name, const std::string& bytes) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace atbtest
