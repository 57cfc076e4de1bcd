#include "platform/terminal_console.h"

#include <chrono>

namespace atb {

namespace {

constexpr auto FlushDelay = std::chrono::milliseconds(20);
constexpr size_t BufferLimit = 1 << 16;

// Console attributes number the colours blue-green-red from bit 0; the
// terminal numbers them red-green-blue. Bit 3 picks the bright set.
int ansiIndex(int32_t attribute)
{
    return ((attribute & 1) << 2) | (attribute & 2) | ((attribute & 4) >> 2);
}

} // namespace

TerminalConsole::TerminalConsole(Tty& tty, StdinSource& input)
    : tty_(tty), input_(input), flusher_([this] { flushLoop(); })
{
}

TerminalConsole::~TerminalConsole()
{
    {
        std::lock_guard lock(lock_);
        stopping_ = true;
    }
    wake_.notify_one();
    flusher_.join();
    std::unique_lock lock(lock_);
    writeOut(lock);
}

void TerminalConsole::writeOut(std::unique_lock<std::mutex>&)
{
    if (buffer_.empty() || closed_) {
        buffer_.clear();
        return;
    }
    if (!tty_.write(buffer_)) closed_ = true;
    buffer_.clear();
}

void TerminalConsole::flushLoop()
{
    std::unique_lock lock(lock_);
    while (!stopping_) {
        wake_.wait(lock, [this] { return stopping_ || !buffer_.empty(); });
        if (stopping_) break;
        wake_.wait_for(lock, FlushDelay, [this] { return stopping_; });
        writeOut(lock);
    }
}

void TerminalConsole::print(std::string_view bytes)
{
    std::unique_lock lock(lock_);
    if (closed_) throw ConsoleClosed{};
    bool wasEmpty = buffer_.empty();
    text_.convert(bytes, buffer_);
    if (buffer_.size() >= BufferLimit) writeOut(lock);
    if (wasEmpty && !buffer_.empty()) wake_.notify_one();
}

void TerminalConsole::append(std::string_view escape)
{
    std::unique_lock lock(lock_);
    if (closed_) throw ConsoleClosed{};
    bool wasEmpty = buffer_.empty();
    buffer_.append(escape);
    if (wasEmpty) wake_.notify_one();
}

void TerminalConsole::printLine(std::string_view bytes)
{
    print(bytes);
    print("\n");  // shown as CR LF
    flush();
}

void TerminalConsole::flush()
{
    std::unique_lock lock(lock_);
    writeOut(lock);
    if (closed_) throw ConsoleClosed{};
}

// Line mode comes before the prompt is shown, so nothing typed after the
// prompt is seen can be dropped with the keys left from polling.
std::string TerminalConsole::inputLine()
{
    tty_.lineMode();
    flush();
    std::string line = input_.readLine();
    tty_.keyMode();
    return line;
}

// Home, erase the screen in the current colours, and drop the scroll-back.
void TerminalConsole::clear() { append("\x1b[H\x1b[2J\x1b[3J"); }

void TerminalConsole::locate(int32_t column, int32_t row)
{
    int columns = 0, rows = 0;
    if (!tty_.size(columns, rows)) return;
    if (column < 0 || row < 0 || column >= columns || row >= rows) return;
    append("\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H");
}

std::string TerminalConsole::colorSequence(int32_t foreground, int32_t background)
{
    if (foreground < 0 || foreground >= 16 || background < 0 || background >= 16) return {};
    int fg = (foreground & 8 ? 90 : 30) + ansiIndex(foreground);
    int bg = (background & 8 ? 100 : 40) + ansiIndex(background);
    return "\x1b[" + std::to_string(fg) + ";" + std::to_string(bg) + "m";
}

void TerminalConsole::setColor(int32_t foreground, int32_t background)
{
    std::string s = colorSequence(foreground, background);
    if (!s.empty()) append(s);
}

// Hidden at 0; a thin underline for a low cursor, a block for a tall one.
void TerminalConsole::setCursorHeight(int32_t tenths)
{
    tty_.noteCursorShaped();
    if (tenths <= 0)
        append("\x1b[?25l");
    else if (tenths <= 4)
        append("\x1b[?25h\x1b[4 q");
    else
        append("\x1b[?25h\x1b[2 q");
}

void TerminalConsole::useProgramText(std::string_view programBytes)
{
    std::lock_guard lock(lock_);
    text_.setCp932(!DisplayText::isUtf8(programBytes));
}

} // namespace atb
