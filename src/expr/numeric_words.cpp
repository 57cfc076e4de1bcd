// ABS, SGN and RND; SIZE is a constant in the dispatch.
#include "expr/eval.h"
#include "words/words.h"

namespace atb {

int32_t wordAbs(int32_t x) { return x >= 0 ? x : wrapNeg(x); }

int32_t wordSgn(int32_t x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

int32_t wordRnd(Interpreter& in, int32_t x)
{
    if (x < 1) raiseError(ErrorKind::How);
    return static_cast<int32_t>(in.platform.random.below(static_cast<uint32_t>(x))) + 1;
}

} // namespace atb
