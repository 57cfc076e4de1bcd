#include "platform/terminal_dialogs.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atb {

namespace {

const char Title[] = "ファイルを開く";
const char FilterText[] = "BasicFile (*.Bas *.txt)";
const char Prompt[] = "Number, arrow keys or a path (empty answer cancels): ";
constexpr int EscTimeoutMs = 50;

bool endsWithNoCase(const std::string& name, const char* ext)
{
    size_t n = std::char_traits<char>::length(ext);
    if (name.size() <= n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != ext[i]) return false;
    return true;
}

bool allDigits(const std::string& s)
{
    return !s.empty() && s.size() < 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

int displayWidth(std::string_view s)
{
    int width = 0;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        width += n >= 3 ? 2 : 1;  // the CJK blocks all encode in three bytes or more
        i += n;
    }
    return width;
}

std::vector<std::string> TerminalDialogs::programFiles()
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(".");
    if (dir == nullptr) return names;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (!endsWithNoCase(name, ".bas") && !endsWithNoCase(name, ".txt")) continue;
        struct stat st {};
        if (::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

int TerminalDialogs::readByte(int timeoutMs)
{
    pollfd p{tty_.inputFd(), POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return -1;
    unsigned char b = 0;
    return ::read(tty_.inputFd(), &b, 1) == 1 ? b : -2;
}

TerminalDialogs::Key TerminalDialogs::readKey(std::string& text)
{
    int b = readByte(-1);
    if (b == -2) return Key::Cancel;  // the terminal is gone
    if (b == 27) {
        int c = readByte(EscTimeoutMs);
        if (c != '[' && c != 'O') return Key::Cancel;
        int f = readByte(EscTimeoutMs);
        while (f >= 0x20 && f <= 0x3F) f = readByte(EscTimeoutMs);  // parameters
        if (f == 'A') return Key::Up;
        if (f == 'B') return Key::Down;
        return Key::None;
    }
    if (b == '\r' || b == '\n') return Key::Enter;
    if (b == 127 || b == 8) return Key::Erase;
    if (b == 21) return Key::Clear;  // Ctrl-U
    if (b >= 0x20) {
        text = static_cast<char>(b);
        return Key::Text;
    }
    return Key::None;
}

void TerminalDialogs::drawPicker(const std::vector<std::string>& files, int selected, const std::string& answer)
{
    int columns = 80, rows = 25;
    tty_.size(columns, rows);
    int room = std::max(1, rows - 6);
    int first = selected < room ? 0 : selected - room + 1;
    std::string s = "\x1b[0m\x1b[H\x1b[2J ";
    s += Title;
    s += "\r\n ";
    s += FilterText;
    s += "\r\n\r\n";
    if (files.empty()) s += "   (no matching files here)\r\n";
    for (int i = first; i < static_cast<int>(files.size()) && i < first + room; ++i) {
        std::string number = std::to_string(i + 1);
        s += i == selected ? "\x1b[7m" : "";
        s += std::string(4 - std::min<size_t>(4, number.size()), ' ') + number + "  " + files[static_cast<size_t>(i)];
        s += i == selected ? "\x1b[0m\r\n" : "\r\n";
    }
    s += "\r\n ";
    s += Prompt;
    s += answer;
    s += "\x1b[?25h";
    tty_.write(s);
}

std::string TerminalDialogs::chooseProgramFile()
{
    std::vector<std::string> files = programFiles();
    int selected = -1;
    std::string answer;
    tty_.enterAlternateScreen();
    for (bool done = false; !done;) {
        drawPicker(files, selected, answer);
        std::string typed;
        Key key = readKey(typed);
        switch (key) {
        case Key::Up:
        case Key::Down: {
            if (files.empty()) break;
            int last = static_cast<int>(files.size()) - 1;
            bool up = key == Key::Up;
            selected = selected < 0 ? (up ? last : 0) : std::clamp(selected + (up ? -1 : 1), 0, last);
            answer = files[static_cast<size_t>(selected)];
            break;
        }
        case Key::Enter: done = true; break;
        case Key::Cancel:
            answer.clear();
            done = true;
            break;
        case Key::Erase:
            while (!answer.empty() && (static_cast<unsigned char>(answer.back()) & 0xC0) == 0x80) answer.pop_back();
            if (!answer.empty()) answer.pop_back();
            break;
        case Key::Clear:
            answer.clear();
            selected = -1;
            break;
        case Key::Text:
            if (selected >= 0) answer.clear();  // typing replaces a name picked with the arrows
            selected = -1;
            answer += typed;
            break;
        case Key::None: break;
        }
    }
    tty_.leaveAlternateScreen();
    if (allDigits(answer)) {
        size_t n = std::stoul(answer);
        if (n >= 1 && n <= files.size()) return files[n - 1];
    }
    return answer;
}

void TerminalDialogs::messageBox(std::string_view title, std::string_view text)
{
    int columns = 80, rows = 25;
    tty_.size(columns, rows);
    int inner = std::max(displayWidth(text), displayWidth(title) + 4) + 4;
    int left = std::max(0, (columns - inner - 2) / 2);
    int top = std::max(0, (rows - 6) / 2);
    auto at = [&](int row) { return "\x1b[" + std::to_string(top + row + 1) + ";" + std::to_string(left + 1) + "H"; };
    auto line = [&](int width) {
        std::string s;
        for (int i = 0; i < width; ++i) s += "─";
        return s;
    };
    std::string blank = "│" + std::string(static_cast<size_t>(inner), ' ') + "│";
    int okPad = (inner - 6) / 2;
    std::string s = "\x1b[0m\x1b[H\x1b[2J\x1b[?25l";
    s += at(0) + "┌─ " + std::string(title) + " " + line(inner - 3 - displayWidth(title)) + "┐";
    s += at(1) + blank;
    s += at(2) + "│  " + std::string(text) + std::string(static_cast<size_t>(inner - 2 - displayWidth(text)), ' ') + "│";
    s += at(3) + blank;
    s += at(4) + "│" + std::string(static_cast<size_t>(okPad), ' ') + "\x1b[7m[ OK ]\x1b[0m" +
         std::string(static_cast<size_t>(inner - okPad - 6), ' ') + "│";
    s += at(5) + "└" + line(inner) + "┘";
    tty_.enterAlternateScreen();
    tty_.write(s);
    for (;;) {
        int b = readByte(-1);
        if (b == '\r' || b == '\n' || b == ' ' || b == 'o' || b == 'O' || b == -2) break;
        if (b == 27) {  // Esc alone closes; a sequence (an arrow) is skipped
            int c = readByte(EscTimeoutMs);
            if (c < 0) break;
            while (readByte(EscTimeoutMs) >= 0) {
            }
        }
    }
    tty_.write("\x1b[?25h");
    tty_.leaveAlternateScreen();
}

} // namespace atb
