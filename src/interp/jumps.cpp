// GOTO, GOSUB, RETURN, IF, REM and STOP/END.
#include "expr/eval.h"

namespace atb {

int32_t findLineIndex(Interpreter& in, int32_t number)
{
    int32_t index = in.store.lineIndexByNumber.find(number);
    if (index == 0) raiseError(ErrorKind::How);
    return index;
}

void gotoLine(Interpreter& in, int32_t number)
{
    countJump(in);
    placeCursor(in, findLineIndex(in, number), 1);
}

void doGoto(Interpreter& in) { gotoLine(in, evalSum(in)); }

void doGosub(Interpreter& in)
{
    int32_t target = evalSum(in);
    // The frame goes on before the target is looked up.
    pushCell(in.returnStack, in.cursor.pos);
    pushCell(in.returnStack, in.cursor.lineIndex);
    gotoLine(in, target);
}

void doReturn(Interpreter& in)
{
    if (in.returnStack.count < 2) raiseError(ErrorKind::How);
    countJump(in);
    int32_t line = popCell(in.returnStack);
    int32_t pos = popCell(in.returnStack);
    placeCursor(in, line, pos);
}

void doIf(Interpreter& in)
{
    Cursor& c = in.cursor;
    if (evalExpression(in) != 0) {
        if (c.here() == ';') ++c.pos;
        in.continueList = true;
    } else {
        c.pos = c.length + 1;
    }
}

void doRem(Interpreter& in) { in.cursor.pos = in.cursor.length + 1; }

// Only the line index moves: the rest of this line's list still runs.
void doStop(Interpreter& in) { in.cursor.lineIndex = in.store.lineCount + 1; }

} // namespace atb
