// The console on a terminal: cursor addressing, colours and cursor shape by
// escape sequences, program text shown in its own encoding. Output is
// buffered and goes out whole: when a line ends, before anything waits or
// reads keys, and at the latest 20 ms after it was written.
#pragma once

#include "platform/display_text.h"
#include "platform/platform.h"
#include "platform/stdin_source.h"
#include "platform/tty.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace atb {

class TerminalConsole : public Console {
public:
    TerminalConsole(Tty& tty, StdinSource& input);
    ~TerminalConsole() override;

    void print(std::string_view bytes) override;
    void printLine(std::string_view bytes) override;
    std::string inputLine() override;
    void clear() override;
    void locate(int32_t column, int32_t row) override;
    void setColor(int32_t foreground, int32_t background) override;
    void setCursorHeight(int32_t tenths) override;
    void setDirectMode(bool) override {}
    void flush() override;
    void useProgramText(std::string_view programBytes) override;

    // The escape sequence that sets the colours of a console attribute pair.
    static std::string colorSequence(int32_t foreground, int32_t background);

private:
    void append(std::string_view escape);  // a sequence written whole, unconverted
    void writeOut(std::unique_lock<std::mutex>& lock);
    void flushLoop();

    Tty& tty_;
    StdinSource& input_;
    DisplayText text_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::string buffer_;
    bool closed_ = false;
    bool stopping_ = false;
    std::thread flusher_;
};

} // namespace atb
