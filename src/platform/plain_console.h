// The console on a stdout that is not a terminal: the bytes written are
// exactly the program's; screen control writes nothing.
#pragma once

#include "platform/platform.h"
#include "platform/stdin_source.h"

namespace atb {

class PlainConsole : public Console {
public:
    PlainConsole(StdinSource& input, int outFd = 1) : input_(input), fd_(outFd) {}
    ~PlainConsole() override;
    void print(std::string_view bytes) override;
    void printLine(std::string_view bytes) override;
    std::string inputLine() override;
    void clear() override {}
    void locate(int32_t, int32_t) override {}
    void setColor(int32_t, int32_t) override {}
    void setCursorHeight(int32_t) override {}
    void setDirectMode(bool) override {}
    void flush() override;

private:
    StdinSource& input_;
    int fd_;
    bool closed_ = false;
    size_t used_ = 0;
    char buffer_[1 << 16];
};

// Key polling on piped input: each byte that arrives counts as its key going
// down in the snapshot that reads it.
class PipeKeyboard : public Keyboard {
public:
    explicit PipeKeyboard(StdinSource& input) : input_(input) {}
    bool examine() override;
    bool isPushed(int32_t scanCode) override;
    bool isAnyPushed() override { return any_; }
    bool exhausted() override { return input_.atEnd(); }

private:
    StdinSource& input_;
    bool down_[256] = {};
    bool any_ = false;
};

// The scan code of the key that types an ASCII byte, or -1.
int32_t scanCodeOfByte(uint8_t byte);

} // namespace atb
