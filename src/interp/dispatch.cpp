// The run loop and the statement list: statements are found by their words
// in the text every time they run.
#include "interp/interpreter.h"

namespace atb {

void executeStatement(Interpreter& in)
{
    Cursor& c = in.cursor;
    int32_t left = c.remaining();
    if (left <= 0) return;
    const char* p = c.text + c.pos - 1;
    // A second character "=" makes an assignment without any lookup.
    if (left >= 2 && p[1] == '=') {
        doLet(in);
        return;
    }
    // The shortest word wins, wherever it ends: lengths 1 to 6 in order, each
    // one step on from the one before.
    int32_t most = left < 6 ? left : 6;
    auto node = in.statementWords.Root;
    for (int n = 0; n < most; ++n) {
        uint8_t b = static_cast<uint8_t>(p[n]);
        node = n == 0 ? in.statementWords.first(b) : in.statementWords.step(node, b);
        if (node == 0) break;
        if (in.statementWords.endsWord(node)) {
            c.pos += n + 1;
            in.statementWords.valueOf(node).handler(in);
            return;
        }
    }
    doLet(in);
}

void executeLine(Interpreter& in)
{
    Cursor& c = in.cursor;
    for (;;) {
        executeStatement(in);
        if (in.continueList) {
            // A true IF: its rest of line runs on in this same list.
            in.continueList = false;
            continue;
        }
        uint8_t ch = c.here();
        if (ch != ';' && ch != ':') return;
        ++c.pos;
    }
}

void placeCursor(Interpreter& in, int32_t lineIndex, int32_t pos)
{
    Cursor& c = in.cursor;
    c.lineIndex = lineIndex;
    if (lineIndex >= 1 && lineIndex <= in.store.lineCount) {
        c.text = in.store.lineText[lineIndex].c_str();
        c.length = in.store.lineLength[lineIndex];
        c.pos = pos;
    } else {
        // No line: an empty text, which every reader finds used up at once,
        // wherever its position was meant to be.
        c.text = "";
        c.length = 0;
        c.pos = 1;
    }
}

void runProgram(Interpreter& in)
{
    Cursor& c = in.cursor;
    c.lineIndex = 1;
    c.pos = 1;
    while (c.lineIndex <= in.store.lineCount) {
        placeCursor(in, c.lineIndex, c.pos);
        executeLine(in);
        if (c.pos > c.length) {
            ++c.lineIndex;
            c.pos = 1;
        }
    }
}

} // namespace atb
