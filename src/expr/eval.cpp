#include "expr/eval.h"

namespace atb {

namespace {

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool isLetter(uint8_t c) { return c >= 'A' && c <= 'Z'; }

// A number literal from its first digit ch at the cursor, wrapping in 32 bits.
int32_t readNumber(Cursor& c, uint8_t ch)
{
    uint32_t value = 0;
    do {
        value = value * 10u + (ch - '0');
        ++c.pos;
        ch = c.here();
    } while (isDigit(ch));
    return static_cast<int32_t>(value);
}


int32_t evalPrimary(Interpreter& in)
{
    Cursor& c = in.cursor;
    uint8_t ch = c.here();
    if (ch >= 'A') {
        uint8_t next = static_cast<uint8_t>(c.text[c.pos]); // ch is no end, so this is in the text
        if (next >= 'A' || next == '.') {
            int32_t code = matchFunctionWord(in);
            if (code != None) return evalFunctionWord(in, code);
        }
    }
    if (isDigit(ch)) {
        return readNumber(c, ch);
    }
    if (isLetter(ch)) {
        ++c.pos;
        return in.variables[ch - 64];
    }
    if (ch == '@') {
        ++c.pos;
        return in.atArray[readIndexInParens(in)];
    }
    raiseError(ErrorKind::What);
}

// A factor: "(" expression ")" or a primary. Never inlined: it holds the
// recursive and the failing cases.
[[gnu::noinline]] int32_t evalFactor(Interpreter& in)
{
    Cursor& c = in.cursor;
    if (c.here() == '(') {
        ++c.pos;
        int32_t value;
        {
            NestingGuard guard(in);
            value = evalExpression(in);
        }
        expectChar(in, ')');
        return value;
    }
    return evalPrimary(in);
}

// The commonest factors, a variable, a number and an @ cell, read in place;
// anything else goes to evalFactor. A letter followed by a letter or "." may begin a
// built-in word, which evalFactor tries first.
[[gnu::always_inline]] inline int32_t quickFactor(Interpreter& in)
{
    Cursor& c = in.cursor;
    uint8_t ch = c.here();
    if (isLetter(ch)) {
        uint8_t next = static_cast<uint8_t>(c.text[c.pos]); // ch is no end, so this is in the text
        if (next < 'A' && next != '.') {
            ++c.pos;
            return in.variables[ch - 64];
        }
    } else if (isDigit(ch)) {
        return readNumber(c, ch);
    } else if (ch == '@') {
        ++c.pos;
        return in.atArray[readIndexInParens(in)];
    }
    return evalFactor(in);
}

[[gnu::always_inline]] inline int32_t evalTerm(Interpreter& in)
{
    Cursor& c = in.cursor;
    int32_t result = quickFactor(in);
    for (;;) {
        uint8_t op = c.here();
        if (op == '*') {
            ++c.pos;
            result = wrapMul(result, quickFactor(in));
        } else if (op == '/' || op == '%') {
            ++c.pos;
            int32_t divisor = quickFactor(in);
            if (divisor == 0) raiseError(ErrorKind::How);
            result = op == '/' ? quo(result, divisor) : rem(result, divisor);
        } else {
            return result;
        }
    }
}

bool holds(int32_t code, int32_t l, int32_t r)
{
    switch (code) {
    case 1: return l > r;
    case 2: return l < r;
    case 3: return l == r;
    case 4: return l >= r;
    case 5: return l <= r;
    default: return l != r;
    }
}

[[gnu::always_inline]] inline int32_t sumOfTerms(Interpreter& in)
{
    Cursor& c = in.cursor;
    int32_t result;
    uint8_t ch = c.here();
    if (ch == '-') {
        ++c.pos;
        result = wrapNeg(evalTerm(in));
    } else {
        if (ch == '+') ++c.pos;
        result = evalTerm(in);
    }
    for (;;) {
        ch = c.here();
        if (ch == '+') {
            ++c.pos;
            result = wrapAdd(result, evalTerm(in));
        } else if (ch == '-') {
            ++c.pos;
            result = wrapSub(result, evalTerm(in));
        } else {
            return result;
        }
    }
}

bool mayBeRelation(uint8_t ch) { return ch == '>' || ch == '<' || ch == '=' || ch == '#'; }

} // namespace

int32_t readIndexInParens(Interpreter& in)
{
    expectChar(in, '(');
    int32_t index;
    {
        NestingGuard guard(in);
        index = evalSum(in);
    }
    expectChar(in, ')');
    if (index < 0 || index >= AtCells) raiseError(ErrorKind::How);
    return index;
}

int32_t evalSum(Interpreter& in) { return sumOfTerms(in); }

int32_t evalExpression(Interpreter& in)
{
    int32_t left = sumOfTerms(in);
    // Only these bytes begin a relation word; anything else is none at once.
    if (!mayBeRelation(in.cursor.here())) return left;
    int32_t code = readRelation(in);
    if (code == None) return left;
    int32_t right = evalSum(in);
    return holds(code, left, right) ? 1 : 0;
}

int32_t readRelation(Interpreter& in)
{
    Cursor& c = in.cursor;
    uint8_t ch = c.here();
    if (!mayBeRelation(ch)) return None;
    // The two-byte words come first, then the one-byte ones.
    auto one = in.relationWords.first(ch);
    if (c.remaining() >= 2) {
        auto two = one ? in.relationWords.step(one, c.at(c.pos + 1)) : decltype(one){0};
        if (const int32_t* code = two ? in.relationWords.valueAt(two) : nullptr) {
            c.pos += 2;
            return *code;
        }
    }
    const int32_t* code = one ? in.relationWords.valueAt(one) : nullptr;
    if (!code) return None;
    c.pos += 1;
    return *code;
}

} // namespace atb
