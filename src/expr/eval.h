// The expression evaluator: recursive descent straight over the line text.
#pragma once

#include "interp/interpreter.h"

namespace atb {

constexpr int32_t None = -1;

// An expression with at most one relation.
int32_t evalExpression(Interpreter& in);
// A signed sum, without any relation.
int32_t evalSum(Interpreter& in);

// A relation code 1 to 6, or None.
int32_t readRelation(Interpreter& in);
// Consumes c or raises What with the cursor at the character found.
inline void expectChar(Interpreter& in, uint8_t c)
{
    if (in.cursor.here() != c) raiseError(ErrorKind::What);
    ++in.cursor.pos;
}
// The index of the "(" sum ")" after an "@" just read.
int32_t readIndexInParens(Interpreter& in);
// The index of an "@(" sum ")" target, or None when the cursor is not at "@".
inline int32_t readAtIndex(Interpreter& in)
{
    if (in.cursor.here() != '@') return None;
    ++in.cursor.pos;
    return readIndexInParens(in);
}
// 1 to 26 for a letter at the cursor, or None.
inline int32_t readVariableLetter(Interpreter& in)
{
    uint8_t ch = in.cursor.here();
    if (ch < 'A' || ch > 'Z') return None;
    ++in.cursor.pos;
    return ch - 64;
}

// The code of the built-in word at the cursor, moving past it, or None.
int32_t matchFunctionWord(Interpreter& in);
// Reads the argument of a code of 500 or more, performs the word and gives its value.
int32_t evalFunctionWord(Interpreter& in, int32_t code);

// Wrapping arithmetic: the low 32 bits of the exact result.
inline int32_t wrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrapSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t wrapMul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t wrapNeg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }
// Quotient and remainder truncated toward zero; b is not 0. The quotient that
// 32 bits cannot hold, -2147483648 / -1, wraps to -2147483648 with remainder 0.
inline int32_t quo(int32_t a, int32_t b) { return b == -1 ? wrapNeg(a) : a / b; }
inline int32_t rem(int32_t a, int32_t b) { return b == -1 ? 0 : a % b; }

// Bounds the nesting of parentheses, word arguments and @ indexes; deeper
// than NestingLimit ends the run with Sorry instead of exhausting the stack.
class NestingGuard {
public:
    explicit NestingGuard(Interpreter& in) : in_(in)
    {
        if (++in_.nesting > NestingLimit) raiseError(ErrorKind::Sorry);
    }
    ~NestingGuard() { --in_.nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    Interpreter& in_;
};

} // namespace atb
