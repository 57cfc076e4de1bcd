#include "pty_screen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>
#include <vterm.h>

#ifndef ATBASIC_PATH
#error "ATBASIC_PATH must name the executable under test"
#endif

namespace atbtest {

namespace {

int colorIndex(const VTermColor& c, bool foreground)
{
    if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&c)) return c.indexed.idx;
    return 1000;  // an RGB colour: never what the console sets
}

void appendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

struct ScreenCallbacks {
    static int termProp(VTermProp prop, VTermValue* val, void* user)
    {
        auto* s = static_cast<PtyScreen*>(user);
        if (prop == VTERM_PROP_CURSORVISIBLE) s->cursorVisible_ = val->boolean != 0;
        if (prop == VTERM_PROP_CURSORSHAPE) s->cursorShape_ = val->number;
        if (prop == VTERM_PROP_ALTSCREEN) s->altScreen_ = val->boolean != 0;
        return 1;
    }
    static int bell(void* user)
    {
        ++static_cast<PtyScreen*>(user)->bells_;
        return 1;
    }
    // What the terminal answers (device attributes) goes back to the program.
    static void output(const char* s, size_t len, void* user)
    {
        auto* p = static_cast<PtyScreen*>(user);
        if (::write(p->master_, s, len) < 0) {
        }
    }
};

PtyScreen::PtyScreen(const Options& o) : kitty_(o.kitty)
{
    winsize ws{};
    ws.ws_row = Rows;
    ws.ws_col = Cols;
    if (::openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0) std::abort();
    termios t{};
    ::tcgetattr(slave_, &t);
    startLflag_ = static_cast<unsigned>(t.c_lflag);

    std::vector<std::string> argStore{ATBASIC_PATH};
    argStore.insert(argStore.end(), o.args.begin(), o.args.end());
    std::vector<std::string> envStore{"TERM=xterm-256color", "LANG=C.UTF-8", "HOME=" + o.directory,
                                      "PATH=/usr/bin:/bin"};
    for (const std::string& e : o.env) {
        std::string name = e.substr(0, e.find('='));
        for (auto it = envStore.begin(); it != envStore.end();)
            it = it->compare(0, name.size() + 1, name + "=") == 0 ? envStore.erase(it) : it + 1;
        envStore.push_back(e);
    }
    std::vector<char*> argv, envp;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(master_);
        ::login_tty(slave_);
        if (::chdir(o.directory.c_str()) != 0) ::_exit(127);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    vt_ = vterm_new(Rows, Cols);
    vterm_set_utf8(vt_, 1);
    vterm_output_set_callback(vt_, &ScreenCallbacks::output, this);
    screen_ = vterm_obtain_screen(vt_);
    static const VTermScreenCallbacks callbacks = [] {
        VTermScreenCallbacks c{};
        c.settermprop = &ScreenCallbacks::termProp;
        c.bell = &ScreenCallbacks::bell;
        return c;
    }();
    vterm_screen_set_callbacks(screen_, &callbacks, this);
    vterm_screen_enable_altscreen(screen_, 1);
    vterm_screen_reset(screen_, 1);
}

PtyScreen::~PtyScreen()
{
    if (!exited_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    ::close(master_);
    ::close(slave_);
    vterm_free(vt_);
}

void PtyScreen::send(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        else
            pump(5);
    }
}

void PtyScreen::pump(int timeoutMs)
{
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return;
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) break;
        raw_.append(buf, static_cast<size_t>(n));
        // A terminal with the kitty protocol answers its flags query, before
        // the device attributes asked for right after it.
        for (size_t at; kitty_ && (at = raw_.find("\x1b[?u", queryScan_)) != std::string::npos;) {
            queryScan_ = at + 4;
            send("\x1b[?0u");
        }
        vterm_input_write(vt_, buf, static_cast<size_t>(n));
    }
}

bool PtyScreen::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        pump(10);
    }
}

bool PtyScreen::waitForText(const std::string& text, std::chrono::milliseconds timeout)
{
    return waitFor([&] { return screenText().find(text) != std::string::npos; }, timeout);
}

bool PtyScreen::waitExit(std::chrono::milliseconds timeout)
{
    return waitFor(
        [&] {
            if (exited_) return true;
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) exited_ = true;
            return exited_;
        },
        timeout) && (pump(20), true);
}

Cell PtyScreen::cell(int row, int col) const
{
    VTermScreenCell c{};
    vterm_screen_get_cell(screen_, VTermPos{row, col}, &c);
    Cell out;
    // The right half of a wide character holds (uint32_t)-1.
    for (int i = 0; i < VTERM_MAX_CHARS_PER_CELL && c.chars[i] != 0 && c.chars[i] != 0xFFFFFFFFu; ++i)
        appendUtf8(out.text, c.chars[i]);
    out.fg = colorIndex(c.fg, true);
    out.bg = colorIndex(c.bg, false);
    return out;
}

std::string PtyScreen::row(int r) const
{
    std::string s;
    for (int col = 0; col < Cols; ++col) {
        std::string t = cell(r, col).text;
        if (t.empty()) {
            VTermScreenCell c{};
            vterm_screen_get_cell(screen_, VTermPos{r, col}, &c);
            if (c.chars[0] == 0xFFFFFFFFu) continue;  // the right half of a wide character
            t = " ";
        }
        s += t;
    }
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string PtyScreen::screenText() const
{
    std::string s;
    for (int r = 0; r < Rows; ++r) s += row(r) + "\n";
    return s;
}

int PtyScreen::cursorRow() const
{
    VTermPos p{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &p);
    return p.row;
}

int PtyScreen::cursorCol() const
{
    VTermPos p{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &p);
    return p.col;
}

int PtyScreen::penForeground() const
{
    VTermValue v{};
    vterm_state_get_penattr(vterm_obtain_state(vt_), VTERM_ATTR_FOREGROUND, &v);
    return colorIndex(v.color, true);
}

int PtyScreen::penBackground() const
{
    VTermValue v{};
    vterm_state_get_penattr(vterm_obtain_state(vt_), VTERM_ATTR_BACKGROUND, &v);
    return colorIndex(v.color, false);
}

unsigned PtyScreen::localFlags() const
{
    termios t{};
    ::tcgetattr(slave_, &t);
    return static_cast<unsigned>(t.c_lflag);
}

TempDir::TempDir()
{
    char name[] = "/tmp/atbasic_term_XXXXXX";
    if (::mkdtemp(name) == nullptr) std::abort();
    path_ = name;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
}

} // namespace atbtest
