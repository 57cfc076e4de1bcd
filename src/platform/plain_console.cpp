#include "platform/plain_console.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace atb {

PlainConsole::~PlainConsole()
{
    try {
        flush();
    } catch (const ConsoleClosed&) {
    }
}

void PlainConsole::flush()
{
    size_t done = 0;
    while (done < used_ && !closed_) {
        ssize_t n = ::write(fd_, buffer_ + done, used_ - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            closed_ = true;
        }
    }
    used_ = 0;
    if (closed_) throw ConsoleClosed{};
}

void PlainConsole::print(std::string_view bytes)
{
    if (closed_) throw ConsoleClosed{};
    while (!bytes.empty()) {
        if (used_ == sizeof buffer_) flush();
        size_t k = std::min(bytes.size(), sizeof buffer_ - used_);
        std::memcpy(buffer_ + used_, bytes.data(), k);
        used_ += k;
        bytes.remove_prefix(k);
    }
}

void PlainConsole::printLine(std::string_view bytes)
{
    print(bytes);
    print("\r\n");
    flush();
}

std::string PlainConsole::inputLine()
{
    flush();
    return input_.readLine();
}

int32_t scanCodeOfByte(uint8_t b)
{
    static constexpr int Letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                        49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    if (b >= 'a' && b <= 'z') return Letters[b - 'a'];
    if (b >= 'A' && b <= 'Z') return Letters[b - 'A'];
    if (b == '0') return 11;
    if (b >= '1' && b <= '9') return b - '1' + 2;
    switch (b) {
    case ' ': return 57;
    case '\r':
    case '\n': return 28;
    case 27: return 1;
    case '\t': return 15;
    case 8:
    case 127: return 14;
    case '-': return 12;
    case '=': return 13;
    case ',': return 51;
    case '.': return 52;
    case '/': return 53;
    case '[': return 26;
    case ']': return 27;
    case ';': return 39;
    default: return -1;
    }
}

bool PipeKeyboard::examine()
{
    std::memset(down_, 0, sizeof down_);
    any_ = false;
    for (char ch : input_.takeAvailable()) {
        any_ = true;
        int32_t scan = scanCodeOfByte(static_cast<uint8_t>(ch));
        if (scan >= 0) down_[scan] = true;
    }
    return true;
}

bool PipeKeyboard::isPushed(int32_t scanCode)
{
    return scanCode >= 0 && scanCode < 256 && down_[scanCode];
}

} // namespace atb
