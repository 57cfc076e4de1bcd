// Words on blocks of the @ array. The block start comes from the top of the
// data stack. Sums of a start and a length are formed in 64 bits, so a start
// so large that 32 bits would wrap is refused like any block that does not fit.
#include "expr/eval.h"
#include "words/words.h"

#include <algorithm>
#include <functional>

namespace atb {

namespace {

void require(bool ok)
{
    if (!ok) raiseError(ErrorKind::How);
}

int32_t depth(const Interpreter& in) { return in.dataStack[0]; }
int32_t top(const Interpreter& in) { return in.dataStack[in.dataStack[0]]; }

// SHUF, SORT and FULL: the block must end at @(4094) or before.
bool blockFits(int32_t start, int64_t length)
{
    return start >= 0 && static_cast<int64_t>(start) + length <= AtCells - 1;
}

int64_t magnitude(int32_t n) { return n < 0 ? -static_cast<int64_t>(n) : n; }

} // namespace

int32_t wordShuf(Interpreter& in, int32_t n)
{
    require(depth(in) >= 1 && n >= 1);
    int32_t b = top(in);
    require(blockFits(b, n));
    // Fisher-Yates run forward, drawing from the source RND uses.
    for (int32_t i = b + 1; i <= b + n - 1; ++i) {
        int32_t j = b + static_cast<int32_t>(in.platform.random.below(static_cast<uint32_t>(i - b + 1)));
        if (j != i) std::swap(in.atArray[i], in.atArray[j]);
    }
    --in.dataStack[0];
    return 0;
}

int32_t wordSort(Interpreter& in, int32_t n)
{
    require(depth(in) >= 1 && n != 0);
    int32_t b = top(in);
    int64_t m = magnitude(n);
    require(blockFits(b, m));
    auto first = in.atArray.begin() + b, last = first + m;
    if (n > 0)
        std::sort(first, last);
    else
        std::sort(first, last, std::greater<int32_t>());
    --in.dataStack[0];
    return 0;
}

int32_t wordFind(Interpreter& in, int32_t v)
{
    int32_t d = depth(in);
    require(d >= 2);
    int32_t a = in.dataStack[d - 1], b = in.dataStack[d];
    require(a >= 1 && a <= AtCells - 1 && b >= 1 && b <= AtCells - 1 && a != b);
    int32_t lo = std::min(a, b), hi = std::max(a, b);
    for (int32_t i = lo; i <= hi; ++i)
        if (in.atArray[i] == v) return i;
    return 0;
}

int32_t wordFull(Interpreter& in, int32_t n)
{
    // FULL(-2147483648) has no 32-bit magnitude and is refused like FULL(0).
    require(depth(in) >= 1 && n != 0 && n != INT32_MIN);
    int32_t b = top(in);
    int64_t m = magnitude(n);
    require(blockFits(b, m));
    int32_t f = in.atArray[b];
    for (int32_t k = 0; k < m; ++k)
        in.atArray[b + k] = n > 0 ? 0 : wrapAdd(f, k);
    return 0;
}

int32_t wordPutDigits(Interpreter& in, int32_t code, int32_t v)
{
    int32_t base, groups;
    switch (code) {
    case 535: base = 10, groups = 8; break;    // PUTO
    case 536: base = 100, groups = 4; break;   // PUTQ
    default: base = 1000, groups = 3; break;   // PUTT
    }
    require(depth(in) >= 1);
    int32_t b = top(in);
    require(b >= 0 && b <= AtCells - groups);
    for (int32_t i = 1; i <= groups; ++i) {
        in.atArray[b + groups - i] = v % base;
        v /= base;
    }
    in.dataStack[depth(in)] = b + groups;
    return 0;
}

} // namespace atb
