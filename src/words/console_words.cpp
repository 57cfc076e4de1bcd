// The console, keyboard and timing words.
#include "expr/eval.h"
#include "words/words.h"

namespace atb {

namespace {

void require(bool ok)
{
    if (!ok) raiseError(ErrorKind::How);
}

} // namespace

int32_t wordCls(Interpreter& in)
{
    Console& c = in.platform.console;
    c.setDirectMode(true);
    c.clear();
    c.setDirectMode(false);
    return 0;
}

// The argument packs column * 100 + row.
int32_t wordLoc(Interpreter& in, int32_t n)
{
    Console& c = in.platform.console;
    c.setDirectMode(true);
    c.locate(n / 100, n % 100);
    c.setDirectMode(false);
    return 0;
}

// The argument packs background * 16 + foreground.
int32_t wordCol(Interpreter& in, int32_t n)
{
    in.platform.console.setColor(n % 16, n / 16);
    return 0;
}

int32_t wordPutc(Interpreter& in, int32_t n)
{
    require(n >= 0 && n <= 254);
    if (n != 0) {
        char ch = static_cast<char>(n);
        in.platform.console.print(std::string_view(&ch, 1));
    }
    return 0;
}

int32_t wordTab(Interpreter& in, int32_t n)
{
    in.platform.console.printBlanks(n);
    return 0;
}

int32_t wordCurh(Interpreter& in, int32_t n)
{
    require(n >= 0 && n <= 10);
    Console& c = in.platform.console;
    c.setDirectMode(true);
    c.setCursorHeight(n);
    c.setDirectMode(false);
    return 0;
}

int32_t wordBeep(Interpreter& in)
{
    in.platform.console.print("\a");
    return 0;
}

// n >= 1 sleeps; otherwise polls every 100 ms until a key is down. Where no
// key can ever come (the end of piped input) the first poll ends the wait.
int32_t wordWait(Interpreter& in, int32_t n)
{
    Platform& p = in.platform;
    if (n >= 1) {
        p.console.flush();
        p.clock.sleepMs(n);
        return 0;
    }
    p.console.flush();
    for (;;) {
        p.clock.sleepMs(100);
        p.keyboard.examine();
        if (p.keyboard.isAnyPushed() || p.keyboard.exhausted()) return 0;
    }
}

int32_t wordVkey(Interpreter& in, int32_t n)
{
    if (n < 1 || n > 255) return 0;
    int32_t scan = in.keyScanMap[n];
    if (scan < 0) return 0;
    Platform& p = in.platform;
    p.console.flush();
    if (!p.keyboard.examine()) return 0;
    return p.keyboard.isPushed(scan) ? 1 : 0;
}

int32_t wordTime(Interpreter& in)
{
    return static_cast<int32_t>(static_cast<uint32_t>(
        static_cast<uint64_t>(in.platform.clock.elapsedMs() - in.startMs)));
}

} // namespace atb
