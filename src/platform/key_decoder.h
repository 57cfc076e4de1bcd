// Bytes from a terminal turned into key events by scan code: plain bytes,
// the escape sequences of cursor and function keys, and the events of the
// kitty keyboard protocol (press, repeat, release). Replies to queries and
// sequences it does not know are skipped whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace atb {

struct KeyEvent {
    enum Type : uint8_t { Press = 1, Repeat = 2, Release = 3 };
    static constexpr uint8_t Shift = 1, Alt = 2, Ctrl = 4;
    int32_t scan = 0;
    Type type = Press;
    uint8_t mods = 0;     // Shift | Alt | Ctrl as reported or inferred
    bool explicitType = false;  // the terminal reports releases for this key
};

class KeyDecoder {
public:
    // Decodes what is complete; an unfinished sequence waits for more bytes.
    void feed(std::string_view bytes, std::vector<KeyEvent>& out);
    // True while an escape sequence is unfinished.
    bool pending() const { return !held_.empty(); }
    // No more bytes came in time: a lone Esc is the Esc key.
    void timeout(std::vector<KeyEvent>& out);

private:
    // Decodes one item at the front of s; 0 when it is unfinished.
    size_t decodeOne(std::string_view s, std::vector<KeyEvent>& out);
    size_t decodeCsi(std::string_view s, std::vector<KeyEvent>& out);
    std::string held_;
};

// The scan code of the key that types an ASCII byte, with Shift when that
// byte is typed shifted; -1 for none.
int32_t scanOfAscii(uint8_t byte, bool& shifted);

} // namespace atb
