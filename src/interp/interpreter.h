// One interpreter: every table of a run, created once and owned by whoever
// runs the program (the driver, or a test that runs many in one process).
#pragma once

#include "interp/cursor.h"
#include "interp/error.h"
#include "interp/word_table.h"
#include "loader/program_store.h"
#include "platform/platform.h"

#include <array>
#include <cstdint>

namespace atb {

struct Interpreter;
using StatementHandler = void (*)(Interpreter&);

// A fixed-capacity stack of cells numbered 1 to Capacity; the top is cells[count].
template <int Capacity>
struct CellStack {
    static constexpr int32_t capacity = Capacity;
    std::array<int32_t, Capacity + 1> cells{};
    int32_t count = 0;
};

// A copy of the top frame of the loop stack, in the frames' own cell order.
struct LoopFrame {
    int32_t variable = 0;
    int32_t limit = 0;
    int32_t step = 0;
    int32_t loopPos = 0;
    int32_t loopLine = 0;
};

struct StatementEntry {
    int32_t code = 0;
    StatementHandler handler = nullptr;
};

constexpr int32_t AtCells = 4096;
constexpr int32_t DataStackLimit = 1000;
constexpr int32_t NestingLimit = 500;

// Thrown when a run has used up its jump budget (see Interpreter::jumpsLeft).
struct JumpBudgetSpent {};

struct Interpreter {
    explicit Interpreter(Platform& p) : platform(p) {}
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    Platform& platform;

    ProgramStore store;
    Cursor cursor;

    WordTable<StatementEntry> statementWords;
    WordTable<int32_t> functionWords;
    WordTable<int32_t> relationWords;
    std::array<StatementHandler, 12> statementHandlers{};

    std::array<int32_t, 27> variables{};        // 1 to 26: A to Z
    std::array<int32_t, AtCells> atArray{};
    std::array<int32_t, 1025> dataStack{};      // cell 0 is the depth
    CellStack<200> returnStack;
    CellStack<130> loopStack;
    LoopFrame topLoopFrame;
    std::array<int32_t, 256> keyScanMap{};

    int32_t nesting = 0;        // open parentheses, word arguments and @ indexes
    bool continueList = false;  // a true IF hands the rest of its line back to the list
    int64_t startMs = 0;
    // Jumps (GOTO, GOSUB, RETURN, NEXT going back) a run may still make; a
    // harness that must see every program end sets it. Only jumps can make a
    // run go on for ever, so this one count bounds its time.
    uint64_t jumpsLeft = UINT64_MAX;
};

// Builds the three word maps from the word list and the handler table.
void buildWordMaps(Interpreter& in);
// Makes every statement word lead straight to its handler.
void installHandlers(Interpreter& in);

// The run loop: every line from the first until the line index passes the last.
void runProgram(Interpreter& in);
void executeLine(Interpreter& in);
void executeStatement(Interpreter& in);

// Moves the cursor to a line and position; a line index past the last line
// gives an empty text.
void placeCursor(Interpreter& in, int32_t lineIndex, int32_t pos);
int32_t findLineIndex(Interpreter& in, int32_t number);
// Counts one jump against the budget.
inline void countJump(Interpreter& in)
{
    if (--in.jumpsLeft == 0) throw JumpBudgetSpent{};
}
void gotoLine(Interpreter& in, int32_t number);

template <int C>
void pushCell(CellStack<C>& s, int32_t value)
{
    if (s.count >= C) raiseError(ErrorKind::Sorry);
    s.cells[++s.count] = value;
}
template <int C>
int32_t popCell(CellStack<C>& s)
{
    return s.cells[s.count--];
}

// Statement handlers.
void doRem(Interpreter& in);
void doFor(Interpreter& in);
void doGoto(Interpreter& in);
void doGosub(Interpreter& in);
void doIf(Interpreter& in);
void doInput(Interpreter& in);
void doLet(Interpreter& in);
void doNext(Interpreter& in);
void doPrint(Interpreter& in);
void doReturn(Interpreter& in);
void doStop(Interpreter& in);

} // namespace atb
