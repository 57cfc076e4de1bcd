// The reading position in the line being run. It points into the line's
// stored text instead of copying it: the store never changes after loading.
#pragma once

#include <cstdint>

namespace atb {

struct Cursor {
    int32_t lineIndex = 0;
    int32_t pos = 1;          // 1-based position of the next byte to read
    const char* text = "";
    int32_t length = 0;

    // A position outside 1..length reads as 0, which no reader accepts: that
    // is how every reader stops at the end of a line.
    uint8_t at(int32_t p) const
    {
        return static_cast<uint32_t>(p - 1) < static_cast<uint32_t>(length)
                   ? static_cast<uint8_t>(text[p - 1])
                   : 0;
    }
    // The byte at pos, read without a bound test: a stored line's text ends
    // with a 0 byte, and pos never passes length + 1 (placeCursor keeps it so
    // for the empty text past the last line too).
    uint8_t here() const { return static_cast<uint8_t>(text[pos - 1]); }
    int32_t remaining() const { return length - pos + 1; }

    void point(const char* t, int32_t len)
    {
        text = t;
        length = len;
        pos = 1;
    }
};

// Reads decimal digits at the cursor, wrapping in 32 bits; -1 when there are
// none (the cursor then stays).
int32_t parseLineNumber(Cursor& c);

} // namespace atb
