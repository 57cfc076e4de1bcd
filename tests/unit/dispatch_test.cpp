// The word maps built from the word list, and statement dispatch.
#include "basic_run.h"

#include <gtest/gtest.h>

namespace atb::test {
namespace {

struct Maps {
    FakePlatform fake;
    Interpreter in{fake.platform};
    Maps()
    {
        buildWordMaps(in);
        installHandlers(in);
    }
    const StatementEntry* statement(std::string_view w)
    {
        return in.statementWords.find(packWord(w.data(), static_cast<int>(w.size())));
    }
    int32_t function(std::string_view w)
    {
        const int32_t* c = in.functionWords.find(packWord(w.data(), static_cast<int>(w.size())));
        return c ? *c : -1;
    }
    int32_t relation(std::string_view w)
    {
        const int32_t* c = in.relationWords.find(packWord(w.data(), static_cast<int>(w.size())));
        return c ? *c : -1;
    }
};

TEST(WordMaps, EveryStatementWordLeadsToItsHandler)
{
    Maps m;
    struct Group {
        StatementHandler handler;
        std::vector<std::string> words;
    };
    const Group groups[] = {
        {doRem, {"'", "REMARK", "REM"}},
        {doFor, {"F.", "FO.", "FOR"}},
        {doGoto, {"G.", "GO.", "GOT.", "GOTO"}},
        {doGosub, {"GOS.", "GOSU.", "GOSUB"}},
        {doIf, {"I.", "IF"}},
        {doInput, {"IN.", "INP.", "INPU.", "INPUT"}},
        {doLet, {"L.", "LE.", "LET", "_"}},
        {doNext, {".", "N.", "NE.", "NEX.", "NEXT"}},
        {doPrint, {"?", "P.", "PR.", "PRI.", "PRIN.", "PRINT"}},
        {doReturn, {"R.", "RE.", "RET.", "RETU.", "RETUR.", "RETURN"}},
        {doStop, {"S.", "ST.", "STO.", "STOP", "E.", "EN.", "END"}},
    };
    for (const Group& g : groups) {
        for (const std::string& w : g.words) {
            const StatementEntry* e = m.statement(w);
            ASSERT_NE(e, nullptr) << w;
            EXPECT_EQ(e->handler, g.handler) << w;
        }
    }
    for (std::string_view w : {"P", "PRINTX", "GOSUBX", "LE", "NEX", "RETURNS", "print"})
        EXPECT_EQ(m.statement(w), nullptr) << w;
}

TEST(WordMaps, BuiltInWordsCarryTheirCodes)
{
    Maps m;
    const std::pair<const char*, int32_t> words[] = {
        {"ABS", 501},  {"A.", 501},   {"AB.", 501},  {"RND", 502},  {"R.", 502},   {"RN.", 502},
        {"SIZE", 3},   {"S.", 3},     {"SI.", 3},    {"SIZ.", 3},   {"SHUF", 504}, {"CLS", 5},
        {"PUTC", 506}, {"LOC", 507},  {"COL", 508},  {"TAB", 509},  {"SORT", 510}, {"VKEY", 542},
        {"SGN", 512},  {"WAIT", 513}, {"PUSH", 514}, {"POP", 15},   {"SWAP", 16},  {"STPT", 517},
        {"BEEP", 18},  {"WAV", 519},  {"DUP", 20},   {"DROP", 21},  {"OVER", 22},  {"ROT", 23},
        {"DIGI", 524}, {"ADD", 25},   {"SUB", 26},   {"MUL", 27},   {"DIV", 28},   {"MOD", 29},
        {"LIST", 30},  {"FIND", 531}, {"STCL", 32},  {"POKE", 533}, {"PEEK", 34},  {"PUTO", 535},
        {"PUTQ", 536}, {"PUTT", 537}, {"BGM", 538},  {"CURH", 539}, {"FULL", 540}, {"PICK", 541},
        {"PLAY", 543}, {"TIME", 35},
    };
    for (auto [w, code] : words) EXPECT_EQ(m.function(w), code) << w;
    EXPECT_EQ(m.function("SIZ"), -1);
    EXPECT_EQ(m.function("AB"), -1);
    const std::pair<const char*, int32_t> relations[] = {
        {">", 1}, {"<", 2}, {"=", 3}, {">=", 4}, {"<=", 5}, {"<>", 6}, {"#", 6}};
    for (auto [w, code] : relations) EXPECT_EQ(m.relation(w), code) << w;
    EXPECT_EQ(m.relation("=>"), -1);
    EXPECT_EQ(m.relation("><"), -1);
}

// Each program prints what shows which statement ran.
TEST(Dispatch, ShortestWordWinsAndAssignmentsNeedNoWord)
{
    struct Case {
        std::string program;
        std::string printed;
    };
    const Case cases[] = {
        {"REMARK PRINT 1\nPRINT 2", "       2\n"},
        {"GOSUB 100:PRINT 2:END\n100 PRINT 1:RETURN", "       1\n       2\n"},
        {"GOTO 100:PRINT 2\n100 PRINT 1", "       1\n"},
        {"I=5:PRINT I", "       5\n"},
        {"IFX=0 PRINT 7", "       7\n"},
        {"P.1:?2:PRINT3:PR.4:PRI.5:PRIN.6", "       1\n       2\n       3\n       4\n       5\n       6\n"},
        {"_X=1:LETY=2:L.Z=3:LE.W=4:PRINTX+Y+Z+W", "      10\n"},
        {"FORI=1TO2:PRINTI:.I", "       1\n       2\n"},
        {"@(3)=7:PRINT @(3)", "       7\n"},
        {"A=1;B=2;PRINT A+B;", "       3\n"},
        {"E=5:PRINT E", "       5\n"},        // E= is an assignment, not END
        {"S=2:PRINT S", "       2\n"},
        {"'anything;PRINT 1\nPRINT 2", "       2\n"},
    };
    for (const Case& c : cases) {
        BasicRun run(c.program);
        EXPECT_EQ(printedBeforeTimeReport(run), c.printed) << c.program;
    }
}

TEST(Dispatch, StatementsThatAreNoAssignmentReportWhat)
{
    struct Case {
        std::string program;
        std::string report;
    };
    const Case cases[] = {
        {"10 FOO", errorReport("WHAT?", "10 F")},           // the letter F, then no "="
        {"10 A=1;;B=2", errorReport("WHAT?", "10 A=1;")},
        {"10 ;A=1", errorReport("WHAT?", "10 ")},
        {";", errorReport("WHAT?", "1 Line : ")},
        {"10 5=A", errorReport("WHAT?", "10 ")},
        {"10 X", errorReport("WHAT?", "10 X")},
    };
    for (const Case& c : cases) {
        BasicRun run(c.program);
        EXPECT_EQ(run.output(), c.report) << c.program;
    }
}

} // namespace
} // namespace atb::test
