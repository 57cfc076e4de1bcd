#include "platform/key_decoder.h"

namespace atb {

namespace {

constexpr int32_t ScanEsc = 1, ScanBackspace = 14, ScanTab = 15, ScanEnter = 28, ScanShift = 42,
                  ScanCtrl = 29, ScanAlt = 56, ScanSpace = 57;

constexpr int Letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                             49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

// Scan codes of the CSI n ~ keys, by n.
int32_t tildeKey(int n)
{
    switch (n) {
    case 1:
    case 7: return 199;  // Home
    case 2: return 210;  // Insert
    case 3: return 211;  // Delete
    case 4:
    case 8: return 207;  // End
    case 5: return 201;  // Page Up
    case 6: return 209;  // Page Down
    case 11: case 12: case 13: case 14: case 15: return 59 + (n - 11);  // F1 to F5
    case 17: case 18: case 19: case 20: case 21: return 64 + (n - 17);  // F6 to F10
    case 23: return 87;  // F11
    case 24: return 88;  // F12
    default: return -1;
    }
}

// Scan codes of the keys that end in a letter: CSI x and SS3 x.
int32_t letterKey(char final)
{
    switch (final) {
    case 'A': return 200;
    case 'B': return 208;
    case 'C': return 205;
    case 'D': return 203;
    case 'H': return 199;
    case 'F': return 207;
    case 'P': return 59;
    case 'Q': return 60;
    case 'R': return 61;
    case 'S': return 62;
    default: return -1;
    }
}

// Scan codes of kitty key numbers: the Unicode key and the private-use keys.
int32_t kittyKey(int code)
{
    switch (code) {
    case 27: return ScanEsc;
    case 13: return ScanEnter;
    case 9: return ScanTab;
    case 127:
    case 8: return ScanBackspace;
    case 57358: return 58;   // Caps Lock
    case 57359: return 70;   // Scroll Lock
    case 57360: return 69;   // Num Lock
    case 57362: return 197;  // Pause
    case 57409: return 83;   // keypad .
    case 57410: return 181;  // keypad /
    case 57411: return 55;   // keypad *
    case 57412: return 74;   // keypad -
    case 57413: return 78;   // keypad +
    case 57414: return 156;  // keypad Enter
    case 57441: return ScanShift;
    case 57442: return ScanCtrl;
    case 57443: return ScanAlt;
    case 57447: return 54;   // right Shift
    case 57448: return 157;  // right Ctrl
    case 57449: return 184;  // right Alt
    default: break;
    }
    if (code >= 57399 && code <= 57408) {  // keypad 0 to 9
        static constexpr int32_t Keypad[10] = {82, 79, 80, 81, 75, 76, 77, 71, 72, 73};
        return Keypad[code - 57399];
    }
    if (code > 0 && code < 128) {
        bool shifted = false;
        return scanOfAscii(static_cast<uint8_t>(code), shifted);
    }
    return -1;
}

// The first of a parameter's colon-separated fields, and the second if any.
void fields(std::string_view p, int& first, int& second)
{
    first = 0;
    second = 0;
    int* f = &first;
    bool any = false;
    for (char ch : p) {
        if (ch == ':') {
            if (f == &second) break;
            f = &second;
        } else if (ch >= '0' && ch <= '9') {
            if (*f < 1000000) *f = *f * 10 + (ch - '0');
            any = true;
        }
    }
    if (!any) first = 0;
}

void push(std::vector<KeyEvent>& out, int32_t scan, uint8_t mods, int type = KeyEvent::Press,
          bool explicitType = false)
{
    if (scan < 0) return;
    KeyEvent e;
    e.scan = scan;
    e.mods = mods;
    e.type = type == 2 ? KeyEvent::Repeat : type == 3 ? KeyEvent::Release : KeyEvent::Press;
    e.explicitType = explicitType;
    out.push_back(e);
}

} // namespace

int32_t scanOfAscii(uint8_t b, bool& shifted)
{
    shifted = false;
    if (b >= 'a' && b <= 'z') return Letters[b - 'a'];
    if (b >= 'A' && b <= 'Z') {
        shifted = true;
        return Letters[b - 'A'];
    }
    if (b == '0') return 11;
    if (b >= '1' && b <= '9') return b - '1' + 2;
    static constexpr char ShiftedDigits[] = "!@#$%^&*()";
    for (int i = 0; i < 10; ++i)
        if (b == static_cast<uint8_t>(ShiftedDigits[i])) {
            shifted = true;
            return i == 9 ? 11 : i + 2;
        }
    struct Pair {
        char plain, shift;
        int32_t scan;
    };
    static constexpr Pair Others[] = {{'-', '_', 12}, {'=', '+', 13}, {'[', '{', 26}, {']', '}', 27},
                                       {';', ':', 39}, {'\'', '"', 40}, {'`', '~', 41}, {'\\', '|', 43},
                                       {',', '<', 51}, {'.', '>', 52}, {'/', '?', 53}};
    for (const Pair& p : Others) {
        if (b == static_cast<uint8_t>(p.plain)) return p.scan;
        if (b == static_cast<uint8_t>(p.shift)) {
            shifted = true;
            return p.scan;
        }
    }
    switch (b) {
    case ' ': return ScanSpace;
    case '\r':
    case '\n': return ScanEnter;
    case 27: return ScanEsc;
    case '\t': return ScanTab;
    case 8:
    case 127: return ScanBackspace;
    default: return -1;
    }
}

void KeyDecoder::feed(std::string_view bytes, std::vector<KeyEvent>& out)
{
    held_.append(bytes);
    std::string_view s = held_;
    size_t used = 0;
    while (used < s.size()) {
        size_t n = decodeOne(s.substr(used), out);
        if (n == 0) break;
        used += n;
    }
    held_.erase(0, used);
    if (held_.size() > 64) held_.clear();  // no sequence is this long: noise
}

void KeyDecoder::timeout(std::vector<KeyEvent>& out)
{
    if (held_.empty()) return;
    // Only a lone Esc or Esc [ / Esc O can wait; they were keys of their own.
    std::string rest = held_.substr(1);
    held_.clear();
    push(out, ScanEsc, 0);
    if (!rest.empty()) feed(rest, out);
    if (!held_.empty()) held_.clear();
}

size_t KeyDecoder::decodeOne(std::string_view s, std::vector<KeyEvent>& out)
{
    uint8_t b = static_cast<uint8_t>(s[0]);
    if (b == 27) {
        if (s.size() < 2) return 0;
        uint8_t c = static_cast<uint8_t>(s[1]);
        if (c == '[') return decodeCsi(s, out);
        if (c == 'O') {
            if (s.size() < 3) return 0;
            push(out, letterKey(s[2]), 0);
            return 3;
        }
        if (c == 27) {  // Esc typed twice: the first stands alone
            push(out, ScanEsc, 0);
            return 1;
        }
        // Esc before a byte: that key with Alt.
        size_t before = out.size();
        size_t n = decodeOne(s.substr(1), out);
        if (n == 0) return 0;
        if (out.size() > before) out.back().mods |= KeyEvent::Alt;
        return n + 1;
    }
    if (b >= 0x80) return 1;  // text beyond ASCII types no key of the map
    bool shifted = false;
    int32_t scan = scanOfAscii(b, shifted);
    if (scan >= 0) {
        push(out, scan, shifted ? KeyEvent::Shift : 0);
    } else if (b == 0) {
        push(out, ScanSpace, KeyEvent::Ctrl);
    } else if (b >= 1 && b <= 26) {
        push(out, Letters[b - 1], KeyEvent::Ctrl);
    }
    return 1;
}

// CSI params final: kitty events (final u), keys ending in ~ or a letter, and
// the linux console's F1 to F5 (CSI [ A to E).
size_t KeyDecoder::decodeCsi(std::string_view s, std::vector<KeyEvent>& out)
{
    size_t i = 2;
    if (i < s.size() && s[i] == '[') {
        if (s.size() < 4) return 0;
        char f = s[3];
        if (f >= 'A' && f <= 'E') push(out, 59 + (f - 'A'), 0);
        return 4;
    }
    bool privateReply = i < s.size() && (s[i] == '?' || s[i] == '>' || s[i] == '<' || s[i] == '=');
    size_t start = i;
    while (i < s.size() && static_cast<uint8_t>(s[i]) >= 0x20 && static_cast<uint8_t>(s[i]) <= 0x3F) ++i;
    if (i >= s.size()) return 0;
    char final = s[i];
    size_t length = i + 1;
    if (privateReply || static_cast<uint8_t>(final) < 0x40 || static_cast<uint8_t>(final) > 0x7E)
        return length;

    // Split the parameters at ';'.
    std::string_view params = s.substr(start, i - start);
    std::string_view p[3];
    int count = 0;
    for (size_t from = 0; count < 3;) {
        size_t semi = params.find(';', from);
        p[count++] = params.substr(from, semi == std::string_view::npos ? semi : semi - from);
        if (semi == std::string_view::npos) break;
        from = semi + 1;
    }
    int code = 0, alternate = 0, modsField = 0, type = 0;
    fields(p[0], code, alternate);
    if (count > 1) fields(p[1], modsField, type);
    uint8_t mods = modsField > 1 ? static_cast<uint8_t>((modsField - 1) & 7) : 0;
    bool explicitType = type != 0 || final == 'u';
    if (type == 0) type = 1;

    int32_t scan = -1;
    if (final == 'u') {
        scan = kittyKey(code);
        if (scan == ScanCtrl || scan == 157) mods &= static_cast<uint8_t>(~KeyEvent::Ctrl);
        if (scan == ScanShift || scan == 54) mods &= static_cast<uint8_t>(~KeyEvent::Shift);
        if (scan == ScanAlt || scan == 184) mods &= static_cast<uint8_t>(~KeyEvent::Alt);
    } else if (final == '~') {
        scan = tildeKey(code);
    } else if (final == 'Z') {
        scan = ScanTab;
        mods |= KeyEvent::Shift;
    } else {
        scan = letterKey(final);
    }
    push(out, scan, mods, type, explicitType);
    return length;
}

} // namespace atb
