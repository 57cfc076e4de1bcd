// FOR and NEXT, with the loop stack of five-cell frames and its cached top.
#include "expr/eval.h"

#include <string_view>

namespace atb {

namespace {

// Frame fields, as cell offsets from the frame's first cell.
enum : int32_t { Variable = 0, Limit = 1, Step = 2, LoopPos = 3, LoopLine = 4, FrameCells = 5 };

void loadTopLoopFrame(Interpreter& in)
{
    const auto& s = in.loopStack;
    int32_t k = s.count - FrameCells + 1;
    in.topLoopFrame = {s.cells[k + Variable], s.cells[k + Limit], s.cells[k + Step],
                       s.cells[k + LoopPos], s.cells[k + LoopLine]};
}

bool textAt(const Cursor& c, std::string_view word, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        if (c.at(c.pos + i) != static_cast<uint8_t>(word[i])) return false;
    return true;
}

} // namespace

// The exact word, no abbreviation, or What.
void expectWord(Interpreter& in, std::string_view word)
{
    int32_t n = static_cast<int32_t>(word.size());
    if (!textAt(in.cursor, word, n)) raiseError(ErrorKind::What);
    in.cursor.pos += n;
}

// The word, or its first k letters followed by a dot.
bool acceptWord(Interpreter& in, std::string_view word)
{
    Cursor& c = in.cursor;
    int32_t n = static_cast<int32_t>(word.size());
    if (textAt(c, word, n)) {
        c.pos += n;
        return true;
    }
    for (int32_t k = 1; k <= n; ++k) {
        if (c.at(c.pos + k) == '.' && textAt(c, word, k)) {
            c.pos += k + 1;
            return true;
        }
    }
    return false;
}

int32_t evalAfterEquals(Interpreter& in);

void doFor(Interpreter& in)
{
    int32_t var = readVariableLetter(in);
    if (var == None) raiseError(ErrorKind::What);
    auto& s = in.loopStack;
    // A variable never owns two frames: its old one and all above it go.
    for (int32_t k = 1; k <= s.count; k += FrameCells) {
        if (s.cells[k + Variable] == var) {
            s.count = k - 1;
            break;
        }
    }
    pushCell(s, var);
    in.variables[var] = evalAfterEquals(in);
    expectWord(in, "TO");
    pushCell(s, evalSum(in));
    int32_t step = 1;
    if (acceptWord(in, "STEP")) step = evalSum(in);
    pushCell(s, step);
    pushCell(s, in.cursor.pos);
    pushCell(s, in.cursor.lineIndex);
    loadTopLoopFrame(in);
}

void doNext(Interpreter& in)
{
    int32_t var = readVariableLetter(in);
    if (var == None) raiseError(ErrorKind::What);
    auto& s = in.loopStack;
    LoopFrame& top = in.topLoopFrame;
    if (var != top.variable) {
        int32_t k = s.count;
        while (k >= 1 && s.cells[k - 4] != var) k -= FrameCells;
        if (k < 1) raiseError(ErrorKind::How);
        s.count = k;
        loadTopLoopFrame(in);
    }
    int32_t value = wrapAdd(in.variables[var], top.step);
    in.variables[var] = value;
    int32_t beyond = wrapSub(value, top.limit);
    if (top.step < 0) beyond = wrapNeg(beyond);
    if (beyond > 0) {
        s.count -= FrameCells;
        if (s.count < FrameCells)
            top.variable = 0;
        else
            loadTopLoopFrame(in);
    } else {
        countJump(in);
        placeCursor(in, top.loopLine, top.loopPos);
    }
}

} // namespace atb
