// Recognition of built-in words inside expressions, and dispatch by code.
#include "expr/eval.h"
#include "words/words.h"

namespace atb {

int32_t matchFunctionWord(Interpreter& in)
{
    Cursor& c = in.cursor;
    if (c.here() < 'A') return None;
    uint8_t second = c.at(c.pos + 1);
    int32_t shortest;
    if (second == '.')
        shortest = 2;
    else if (second >= 'A')
        shortest = 3;
    else
        return None;
    const char* p = c.text + c.pos - 1;
    int32_t left = c.remaining();
    // A candidate that would run past the end of the line matches nothing.
    int32_t most = left < 4 ? left : 4;
    auto node = in.functionWords.Root;
    for (int32_t n = 1; n <= most; ++n) {
        uint8_t b = static_cast<uint8_t>(p[n - 1]);
        node = n == 1 ? in.functionWords.first(b) : in.functionWords.step(node, b);
        if (node == 0) break;
        if (n >= shortest && in.functionWords.endsWord(node)) {
            c.pos += n;
            return in.functionWords.valueOf(node);
        }
    }
    return None;
}

int32_t evalFunctionWord(Interpreter& in, int32_t code)
{
    int32_t x = 0;
    if (code >= 500) {
        // The whole argument is evaluated before the word acts.
        expectChar(in, '(');
        {
            NestingGuard guard(in);
            x = evalSum(in);
        }
        expectChar(in, ')');
    }
    switch (code) {
    case 501: return wordAbs(x);
    case 502: return wordRnd(in, x);
    case 3: return 8192; // SIZE
    case 512: return wordSgn(x);

    case 514: return wordPush(in, x);
    case 533: return wordPoke(in, x);
    case 15: return wordPop(in);
    case 34: return wordPeek(in);
    case 517: return wordStpt(in, x);
    case 16: return wordSwap(in);
    case 20: return wordDup(in);
    case 21: return wordDrop(in);
    case 22: return wordOver(in);
    case 23: return wordRot(in);
    case 541: return wordPick(in, x);
    case 25:
    case 26:
    case 27:
    case 28:
    case 29: return wordArithmetic(in, code);
    case 32: return wordStcl(in);
    case 30: return wordList(in);
    case 524: return wordDigi(in, x);

    case 504: return wordShuf(in, x);
    case 510: return wordSort(in, x);
    case 531: return wordFind(in, x);
    case 540: return wordFull(in, x);
    case 535:
    case 536:
    case 537: return wordPutDigits(in, code, x);

    case 5: return wordCls(in);
    case 507: return wordLoc(in, x);
    case 508: return wordCol(in, x);
    case 506: return wordPutc(in, x);
    case 509: return wordTab(in, x);
    case 539: return wordCurh(in, x);
    case 18: return wordBeep(in);
    case 513: return wordWait(in, x);
    case 542: return wordVkey(in, x);
    case 35: return wordTime(in);

    case 519: return wordWav(in, x);
    case 538: return wordBgm(in, x);
    case 543: return wordPlay(in, x);
    }
    return 0; // every code of the word list is handled above
}

} // namespace atb
