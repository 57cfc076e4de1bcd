// The data stack: cell 0 is the depth, cells 1 to depth the values. Removing
// values only lowers the depth; cells above the top keep what they held.
#include "expr/eval.h"
#include "interp/literal.h"
#include "words/words.h"

#include <string>

namespace atb {

namespace {

int32_t& depth(Interpreter& in) { return in.dataStack[0]; }

void require(bool ok)
{
    if (!ok) raiseError(ErrorKind::How);
}

void pushValue(Interpreter& in, int32_t v)
{
    in.dataStack[++depth(in)] = v;
}

} // namespace

int32_t wordPush(Interpreter& in, int32_t v)
{
    require(depth(in) < DataStackLimit);
    pushValue(in, v);
    return 0;
}

int32_t wordPoke(Interpreter& in, int32_t v)
{
    wordPush(in, v);
    return v;
}

int32_t wordPop(Interpreter& in)
{
    require(depth(in) >= 1);
    return in.dataStack[depth(in)--];
}

int32_t wordPeek(Interpreter& in) { return in.dataStack[depth(in)]; }

int32_t wordStpt(Interpreter& in, int32_t i)
{
    require(i >= 0 && i <= DataStackLimit);
    return in.dataStack[i];
}

int32_t wordSwap(Interpreter& in)
{
    int32_t d = depth(in);
    require(d >= 2);
    std::swap(in.dataStack[d], in.dataStack[d - 1]);
    return 0;
}

int32_t wordDup(Interpreter& in)
{
    int32_t d = depth(in);
    require(d >= 1 && d < DataStackLimit);
    pushValue(in, in.dataStack[d]);
    return 0;
}

int32_t wordDrop(Interpreter& in)
{
    require(depth(in) >= 1);
    --depth(in);
    return 0;
}

int32_t wordOver(Interpreter& in)
{
    int32_t d = depth(in);
    require(d >= 2 && d < DataStackLimit);
    pushValue(in, in.dataStack[d - 1]);
    return 0;
}

// a b c (c on top) becomes c a b.
int32_t wordRot(Interpreter& in)
{
    int32_t d = depth(in);
    require(d >= 3);
    auto& s = in.dataStack;
    int32_t a = s[d - 2], b = s[d - 1], c = s[d];
    s[d - 2] = c;
    s[d - 1] = a;
    s[d] = b;
    return 0;
}

int32_t wordPick(Interpreter& in, int32_t n)
{
    int32_t d = depth(in);
    require(n >= 1 && n <= d && d < DataStackLimit);
    pushValue(in, in.dataStack[d - n + 1]);
    return 0;
}

int32_t wordArithmetic(Interpreter& in, int32_t code)
{
    int32_t d = depth(in);
    require(d >= 2);
    auto& s = in.dataStack;
    int32_t second = s[d - 1], top = s[d];
    int32_t result;
    switch (code) {
    case 25: result = wrapAdd(second, top); break;
    case 26: result = wrapSub(second, top); break;
    case 27: result = wrapMul(second, top); break;
    case 28: require(top != 0); result = quo(second, top); break;
    default: require(top != 0); result = rem(second, top); break;
    }
    s[d - 1] = result;
    --depth(in);
    return 0;
}

int32_t wordStcl(Interpreter& in)
{
    depth(in) = 0;
    return 0;
}

int32_t wordList(Interpreter& in)
{
    Console& console = in.platform.console;
    console.printLine("");
    console.printLine("  SP      VALUE");
    int32_t d = depth(in);
    if (d == 0) {
        console.printLine("NULL       NULL");
        return 0;
    }
    std::string line;
    for (int32_t p = d; p >= 1; --p) {
        char a[12], b[12];
        std::string_view ps = decimalText(p, a), vs = decimalText(in.dataStack[p], b);
        line.assign(4 - ps.size(), ' ');
        line += ps;
        line.append(11 - vs.size(), ' ');
        line += vs;
        console.printLine(line);
    }
    return 0;
}

int32_t wordDigi(Interpreter& in, int32_t n)
{
    require(n >= 1 && n <= 9);
    static constexpr int32_t Powers[10] = {1,      10,      100,      1000,      10000,
                                           100000, 1000000, 10000000, 100000000, 1000000000};
    int32_t top = in.dataStack[depth(in)];
    return (top % Powers[n]) / Powers[n - 1];
}

} // namespace atb
