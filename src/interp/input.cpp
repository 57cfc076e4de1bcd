// INPUT: a label, one typed line per target, converted to a number.
#include "expr/eval.h"
#include "interp/literal.h"

#include <string>

namespace atb {

// Typed text to a number: blanks, one sign, then $hex, %binary or decimal
// digits; whatever does not fit ends it, and the value wraps to 32 bits.
int32_t convertTypedNumber(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    uint32_t base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i < s.size() && s[i] == '%') {
        base = 2;
        ++i;
    }
    uint32_t value = 0;
    for (; i < s.size(); ++i) {
        uint8_t ch = static_cast<uint8_t>(s[i]);
        uint32_t digit;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        else
            break;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

static std::string typedLine(Interpreter& in)
{
    std::string typed = in.platform.console.inputLine();
    for (char& ch : typed)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    return typed;
}

static void inputOneTarget(Interpreter& in, bool promptGiven)
{
    Console& console = in.platform.console;
    int32_t index = readAtIndex(in);
    if (index != None) {
        if (!promptGiven) {
            char buffer[12];
            console.print("@(");
            console.print(decimalText(index, buffer));
            console.print(") ");
        }
        in.atArray[index] = convertTypedNumber(typedLine(in));
        return;
    }
    int32_t letter = readVariableLetter(in);
    if (letter == None) raiseError(ErrorKind::What);
    if (!promptGiven) {
        char label = static_cast<char>('@' + letter);
        console.print(std::string_view(&label, 1));
    }
    console.print(" ");
    std::string typed = typedLine(in);
    // A text from "A" up to "Z" takes the value of the variable its first
    // letter names: "YES" is Y, but "ZERO" lies above "Z" and is a number.
    uint8_t first = typed.empty() ? 0 : static_cast<uint8_t>(typed[0]);
    if ((first >= 'A' && first <= 'Y') || typed == "Z")
        in.variables[letter] = in.variables[first - 64];
    else
        in.variables[letter] = convertTypedNumber(typed);
}

void doInput(Interpreter& in)
{
    Cursor& c = in.cursor;
    bool promptGiven = false;
    while (c.pos <= c.length) {
        uint8_t ch = c.here();
        if (ch == ';') break;
        if (ch == ',') {
            ++c.pos;
            promptGiven = false;
            continue;
        }
        if (auto literal = readStringLiteral(in)) {
            // An empty literal leaves the prompt empty, so labels still show.
            promptGiven = !literal->empty();
            in.platform.console.print(*literal);
            continue;
        }
        inputOneTarget(in, promptGiven);
    }
}

} // namespace atb
