// WAV, BGM and PLAY: the sign of the argument starts or stops, its magnitude
// names the slot.
#include "expr/eval.h"
#include "words/words.h"

namespace atb {

namespace {

// The slot of an argument, or How when it lies outside 1 to last.
int32_t slotOf(int32_t n, int32_t last)
{
    int64_t m = n < 0 ? -static_cast<int64_t>(n) : n;
    if (m < 1 || m > last) raiseError(ErrorKind::How);
    return static_cast<int32_t>(m);
}

} // namespace

int32_t wordWav(Interpreter& in, int32_t n)
{
    int32_t slot = slotOf(n, 19);
    if (n > 0)
        in.platform.sound.playChannel(slot, 100);
    else
        in.platform.sound.stopAll(slot);
    return 0;
}

int32_t wordBgm(Interpreter& in, int32_t n)
{
    int32_t slot = slotOf(n, 19);
    if (n > 0)
        in.platform.sound.playLoop(slot, 30);
    else
        in.platform.sound.stopMain(slot);
    return 0;
}

int32_t wordPlay(Interpreter& in, int32_t n)
{
    int32_t slot = slotOf(n, 9);
    if (n > 0)
        in.platform.media.play(slot);
    else
        in.platform.media.stop(slot);
    return 0;
}

} // namespace atb
