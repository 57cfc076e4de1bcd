// Key polling on a terminal: each snapshot reads the bytes that have come,
// decodes them and asks the key states what is down now.
#pragma once

#include "platform/key_decoder.h"
#include "platform/key_states.h"
#include "platform/platform.h"
#include "platform/tty.h"

#include <array>

namespace atb {

class TerminalKeyboard : public Keyboard {
public:
    explicit TerminalKeyboard(Tty& tty) : tty_(tty) {}
    bool examine() override;
    bool isPushed(int32_t scanCode) override;
    bool isAnyPushed() override { return any_; }

private:
    void readAvailable(int timeoutMs);
    Tty& tty_;
    KeyDecoder decoder_;
    KeyStates states_;
    bool kitty_ = false;
    std::array<bool, 256> down_{};
    bool any_ = false;
    std::vector<KeyEvent> events_;
};

} // namespace atb
