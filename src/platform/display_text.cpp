#include "platform/display_text.h"

#include <iconv.h>

namespace atb {

namespace {

const char Replacement[] = "\xEF\xBF\xBD";  // U+FFFD

bool isCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The length a UTF-8 lead byte announces, 0 for a byte that cannot lead.
size_t utf8Length(unsigned char b)
{
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Whether b may follow the bytes so far: continuation bytes, with the
// narrower second-byte ranges that keep out overlong forms and surrogates.
bool utf8Continues(const unsigned char* so, size_t have, unsigned char b)
{
    if (b < 0x80 || b > 0xBF) return false;
    if (have != 1) return true;
    switch (so[0]) {
    case 0xE0: return b >= 0xA0;
    case 0xED: return b <= 0x9F;
    case 0xF0: return b >= 0x90;
    case 0xF4: return b <= 0x8F;
    default: return true;
    }
}

// C1 controls, which some terminals would act on.
bool isC1(std::string_view utf8)
{
    return utf8.size() == 2 && static_cast<unsigned char>(utf8[0]) == 0xC2 &&
           static_cast<unsigned char>(utf8[1]) <= 0x9F;
}

} // namespace

DisplayText::DisplayText() : converter_(reinterpret_cast<void*>(iconv_open("UTF-8", "CP932"))) {}

DisplayText::~DisplayText()
{
    if (converter_ != reinterpret_cast<void*>(-1)) iconv_close(static_cast<iconv_t>(converter_));
}

bool DisplayText::isUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t n = utf8Length(b);
        if (n == 0 || i + n > bytes.size()) return false;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data() + i);
        for (size_t k = 1; k < n; ++k)
            if (!utf8Continues(p, k, p[k])) return false;
        i += n;
    }
    return true;
}

void DisplayText::setCp932(bool on)
{
    cp932_ = on;
    pendingLen_ = need_ = 0;
}

void DisplayText::convert(std::string_view bytes, std::string& out)
{
    for (char ch : bytes) byte(static_cast<unsigned char>(ch), out);
}

void DisplayText::byte(unsigned char b, std::string& out)
{
    if (cp932_)
        cp932Byte(b, out);
    else
        utf8Byte(b, out);
}

// The controls the console acts on; any other is shown, never obeyed.
void DisplayText::control(unsigned char b, std::string& out)
{
    switch (b) {
    case 0: break;
    case '\n': out += "\r\n"; break;
    case 7:
    case 8:
    case '\t':
    case '\r': out += static_cast<char>(b); break;
    default: out += Replacement;
    }
}

void DisplayText::utf8Byte(unsigned char b, std::string& out)
{
    if (pendingLen_ > 0) {
        if (utf8Continues(pending_, pendingLen_, b)) {
            pending_[pendingLen_++] = b;
            if (pendingLen_ == need_) {
                std::string_view ch(reinterpret_cast<char*>(pending_), pendingLen_);
                if (isC1(ch))
                    out += Replacement;
                else
                    out.append(ch);
                pendingLen_ = 0;
            }
            return;
        }
        out += Replacement;  // a character cut short; the byte starts afresh
        pendingLen_ = 0;
    }
    if (b < 0x20 || b == 0x7F) {
        control(b, out);
    } else if (b < 0x80) {
        out += static_cast<char>(b);
    } else if ((need_ = utf8Length(b)) != 0) {
        pending_[0] = b;
        pendingLen_ = 1;
    } else {
        out += Replacement;
    }
}

void DisplayText::cp932Byte(unsigned char b, std::string& out)
{
    if (pendingLen_ > 0) {
        pendingLen_ = 0;
        if (isCp932Trail(b)) {
            const char pair[2] = {static_cast<char>(pending_[0]), static_cast<char>(b)};
            fromCp932(pair, 2, out);
            return;
        }
        out += Replacement;  // a lead byte without its trail
    }
    if (b < 0x20 || b == 0x7F) {
        control(b, out);
    } else if (b < 0x80) {
        out += static_cast<char>(b);
    } else if (isCp932Lead(b)) {
        pending_[0] = b;
        pendingLen_ = 1;
    } else {
        const char single = static_cast<char>(b);
        fromCp932(&single, 1, out);
    }
}

void DisplayText::fromCp932(const char* bytes, size_t n, std::string& out)
{
    char buffer[16];
    char* in = const_cast<char*>(bytes);
    char* to = buffer;
    size_t inLeft = n, outLeft = sizeof buffer;
    iconv_t cd = static_cast<iconv_t>(converter_);
    bool ok = cd != reinterpret_cast<iconv_t>(-1) && iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1) &&
              inLeft == 0;
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string_view done(buffer, static_cast<size_t>(to - buffer));
    if (!ok || done.empty() || isC1(done) || static_cast<unsigned char>(done[0]) < 0x20)
        out += Replacement;
    else
        out.append(done);
}

} // namespace atb
