// Which keys are down, from key events and the time they came. Where the
// terminal reports releases, a key is down from its press to its release.
// Elsewhere a key is down from its byte until no repeat of it has come for a
// while: FirstLingerMs after a single byte (longer than the usual auto-repeat
// delay, so a held key never blinks up before repeating starts), RepeatLingerMs
// once it repeats (longer than the gap between repeats). Since a terminal
// repeats only the last key pressed, a new key ends the linger of the others.
#pragma once

#include "platform/key_decoder.h"

#include <array>
#include <cstdint>

namespace atb {

class KeyStates {
public:
    static constexpr int64_t FirstLingerMs = 650;
    static constexpr int64_t RepeatLingerMs = 150;

    void apply(const KeyEvent& e, int64_t nowMs);
    bool isDown(int32_t scan, int64_t nowMs) const;
    // Forgets every key (the terminal's reporting changed).
    void clear();

private:
    void touch(int32_t scan, int64_t nowMs);
    struct Key {
        bool held = false;       // down by an explicit press, until its release
        bool seen = false;       // down by a byte, while lingering
        bool repeating = false;
        int64_t lastMs = 0;
    };
    std::array<Key, 256> keys_{};
};

} // namespace atb
