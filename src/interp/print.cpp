// PRINT: numbers right-aligned in a field, literals as they stand.
#include "expr/eval.h"
#include "interp/literal.h"

#include <charconv>
#include <cstring>

namespace atb {

std::optional<std::string_view> readStringLiteral(Interpreter& in)
{
    Cursor& c = in.cursor;
    uint8_t q = c.here();
    if (q != '"' && q != '\'') return std::nullopt;
    int32_t start = c.pos + 1;
    const char* from = c.text + start - 1;
    int32_t left = c.length - start + 1;
    const void* close = left > 0 ? std::memchr(from, q, static_cast<size_t>(left)) : nullptr;
    if (close == nullptr) {
        c.pos = c.length + 1;
        return std::string_view(from, left > 0 ? static_cast<size_t>(left) : 0);
    }
    int32_t n = static_cast<int32_t>(static_cast<const char*>(close) - from);
    c.pos = start + n + 1;
    return std::string_view(from, static_cast<size_t>(n));
}

std::string_view decimalText(int32_t value, char (&buffer)[12])
{
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string_view(buffer, static_cast<size_t>(result.ptr - buffer));
}

void doPrint(Interpreter& in)
{
    Cursor& c = in.cursor;
    Console& console = in.platform.console;
    int32_t width = 8;
    bool lastComma = false;
    while (c.pos <= c.length) {
        uint8_t ch = c.here();
        if (ch == ';') break;
        if (ch == ',') {
            ++c.pos;
            lastComma = true;
            continue;
        }
        lastComma = false;
        if (ch == '#') {
            ++c.pos;
            width = parseLineNumber(c);
            if (width <= 0) raiseError(ErrorKind::How);
            continue;
        }
        if (auto literal = readStringLiteral(in)) {
            console.print(*literal);
            continue;
        }
        char buffer[12];
        std::string_view digits = decimalText(evalExpression(in), buffer);
        console.printBlanks(static_cast<int64_t>(width) - static_cast<int64_t>(digits.size()));
        console.print(digits);
    }
    if (!lastComma) console.print("\n");
}

} // namespace atb
