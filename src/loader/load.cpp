#include "loader/program_store.h"

#include "interp/cursor.h"

namespace atb {

void LineIndexMap::set(int32_t number, int32_t index)
{
    for (uint32_t i = hash(number);; i = (i + 1) & (Slots - 1)) {
        if (slots_[i].index == 0 || slots_[i].number == number) {
            slots_[i] = {number, index};
            return;
        }
    }
}

int32_t parseLineNumber(Cursor& c)
{
    // Bound-tested reads: the loader's raw line has no 0 byte after it.
    uint8_t ch = c.at(c.pos);
    if (ch < '0' || ch > '9') return -1;
    uint32_t value = 0;
    while (ch >= '0' && ch <= '9') {
        value = value * 10u + (ch - '0');
        ++c.pos;
        ch = c.at(c.pos);
    }
    return static_cast<int32_t>(value);
}

std::vector<std::string_view> splitLines(std::string_view s)
{
    std::vector<std::string_view> lines;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        size_t start = i;
        while (i < n && s[i] != '\n' && s[i] != '\r' && s[i] != '\0') ++i;
        lines.push_back(s.substr(start, i - start));
        if (i < n) {
            // A CR takes a following LF into the same ending.
            if (s[i] == '\r' && i + 1 < n && s[i + 1] == '\n') ++i;
            ++i;
        }
    }
    return lines;
}

static uint8_t upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

std::string normaliseLine(std::string_view raw, int32_t p)
{
    const int32_t L = static_cast<int32_t>(raw.size());
    auto at = [&](int32_t q) -> uint8_t { return static_cast<uint8_t>(raw[q - 1]); };
    std::string out;
    out.reserve(raw.size());
    while (p <= L) {
        // "THEN" becomes ";" wherever it stands outside quotes, even inside a
        // longer word; the byte after it is not tested for another "THEN".
        if (p + 3 <= L && upper(at(p)) == 'T' && upper(at(p + 1)) == 'H' &&
            upper(at(p + 2)) == 'E' && upper(at(p + 3)) == 'N') {
            out += ';';
            p += 4;
        }
        if (p > L) break;
        uint8_t c = at(p);
        if (c == '"' || c == '\'') {
            // A quote that is never closed takes the rest of the line.
            size_t close = raw.find(static_cast<char>(c), static_cast<size_t>(p));
            int32_t q = close == std::string_view::npos ? L + 1 : static_cast<int32_t>(close) + 2;
            out.append(raw.substr(p - 1, q - p));
            p = q;
        } else if (c == ' ' || c == '\t') {
            ++p;
        } else if (c == 0x81) {
            // Shift-JIS characters led by 0x81 (the full-width space and
            // punctuation) are dropped outside quotes, trail byte and all.
            p += 2;
        } else if (c == ':') {
            out += ';';
            ++p;
        } else {
            out += static_cast<char>(upper(c));
            ++p;
        }
    }
    return out;
}

static std::string_view trimBlanks(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

LoadResult storeProgram(std::string_view contents, ProgramStore& store, int32_t& lineCountOut)
{
    std::vector<std::string_view> lines = splitLines(contents);
    lineCountOut = lines.size() > static_cast<size_t>(INT32_MAX) ? INT32_MAX
                                                                 : static_cast<int32_t>(lines.size());
    if (lines.size() > static_cast<size_t>(MaxLines)) return LoadResult::TooManyLines;
    for (std::string_view rawLine : lines) {
        std::string_view raw = trimBlanks(rawLine);
        int32_t index = ++store.lineCount;
        if (raw.empty()) continue; // empty: number 0, empty text, no map entry
        Cursor c;
        c.point(raw.data(), static_cast<int32_t>(raw.size()));
        int32_t number = parseLineNumber(c);
        store.lineIndexByNumber.set(number, index);
        store.lineNumber[index] = number;
        store.lineText[index] = normaliseLine(raw, c.pos);
        store.lineLength[index] = static_cast<int32_t>(store.lineText[index].size());
    }
    return LoadResult::Loaded;
}

} // namespace atb
