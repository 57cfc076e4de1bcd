// PRINT, INPUT, jumps, IF, loops and the reports of their errors.
#include "basic_run.h"

#include <gtest/gtest.h>

namespace atb::test {
namespace {

struct Case {
    std::string program;
    std::string printed;  // before the time report
};

void expectPrinted(const Case* begin, const Case* end, std::vector<std::string> typed = {})
{
    for (const Case* c = begin; c != end; ++c) {
        BasicRun run(c->program, typed);
        EXPECT_EQ(printedBeforeTimeReport(run), c->printed) << c->program;
    }
}

TEST(Print, FieldsLiteralsAndLineEnds)
{
    const Case cases[] = {
        {"PRINT", "\n"},
        {"PRINT5", "       5\n"},
        {"PRINT-5", "      -5\n"},
        {"PRINT#3,1234", "1234\n"},
        {"PRINT#3,1,22:PRINT 3", "  1 22\n       3\n"},
        {"PRINT1,:PRINT2", "       1       2\n"},
        {"PRINT\",\"", ",\n"},
        {"PRINT\"\"", "\n"},
        {"PRINT\"\",5", "       5\n"},
        {"X=3:PRINT'X='X", "X=       3\n"},
        {"A=1:B=2:PRINTAB", "       1       2\n"},
        {"PRINT'A;B'", "A;B\n"},
        {"PRINT\"OPEN", "OPEN\n"},
        {"PRINT \"it's\",'say \"hi\"'", "it'ssay \"hi\"\n"},
        {"PRINT#1,-2147483648", "-2147483648\n"},
        {"PRINT 0", "       0\n"},
        {"PRINT#12,7,", "           7"},
        {"PRINT 1;PRINT 2", "       1\n       2\n"},
        {"PRINT #2,1 \"a\" 2", " 1a 2\n"},
        {"PRINT 1,,", "       1"},
        {"PRINT 1,\"x\"", "       1x\n"},
    };
    expectPrinted(std::begin(cases), std::end(cases));
}

TEST(Print, WidthErrors)
{
    for (auto [program, report] : {std::pair{"10 PRINT#0", errorReport("HOW?", "10 PRINT#0")},
                                   std::pair{"10 PRINT#", errorReport("HOW?", "10 PRINT#")},
                                   std::pair{"10 PRINT#,1", errorReport("HOW?", "10 PRINT#")},
                                   std::pair{"10 PRINT#2147483648,1",
                                             errorReport("HOW?", "10 PRINT#2147483648")}}) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(Print, HugeWidthStreamsBlanks)
{
    BasicRun run("PRINT#3000000,1");
    std::string out = printedBeforeTimeReport(run);
    ASSERT_EQ(out.size(), 3000001u);
    EXPECT_EQ(out.find_first_not_of(' '), 2999999u);
    EXPECT_EQ(out.substr(2999999), "1\n");
}

TEST(Input, LetterRuleAndConversion)
{
    struct Typed {
        std::string text;
        int32_t value;
    };
    const Typed cases[] = {
        {"12", 12},    {"b", 7},        {"YES", 9},     {"ZERO", 0},   {"", 0},
        {"Z", 3},      {"z", 3},        {"A", 5},       {"12AB", 12},  {"  -42", -42},
        {"$1F", 31},   {"$ff", 255},    {"%101", 5},    {"3.9", 3},    {"2147483648", INT32_MIN},
        {"- 5", 0},    {"+7", 7},       {"-%11", -3},   {"-$10", -16}, {"\t9", 9},
        {"$", 0},      {"%2", 0},       {"4294967297", 1}, {"[", 0},   {"@", 0},
        {"$FFFFFFFF", -1},
    };
    for (const Typed& t : cases) {
        BasicRun run("B=7:Y=9:Z=3:A=5:INPUTA", {t.text});
        EXPECT_EQ(run.in->variables[1], t.value) << t.text;
    }
    BasicRun cell("B=7:INPUT@(5)", {"b"});  // no letter rule for cells
    EXPECT_EQ(cell.in->atArray[5], 0);
}

TEST(Input, PromptsAndLabels)
{
    const Case cases[] = {
        {"INPUT'HOW MANY'N", "HOW MANY "},
        {"INPUT@(3)", "@(3) "},
        {"INPUT\"VALUE\"@(3)", "VALUE"},
        {"INPUTA,B", "A B "},
        {"INPUT\"X\"AB", "X  "},
        {"INPUT\"\"", ""},
        {"INPUT\"\"A", "A "},          // an empty literal leaves the label
        {"INPUT\"P\"A,B", "P B "},     // a comma empties the prompt
        {"INPUTA;PRINT A", "A        4\n"},
    };
    expectPrinted(std::begin(cases), std::end(cases), {"4", "5"});
}

TEST(Input, TypedLinesAreUsedInOrderAndRunOutAsEmpty)
{
    BasicRun run("INPUTA,B,C:PRINTA,B,C", {"1", "2"});
    EXPECT_EQ(printedBeforeTimeReport(run), "A B C        1       2       0\n");
    EXPECT_EQ(run.fake.console.inputCount, 4);  // three targets and the final wait
}

TEST(Input, BadTargets)
{
    for (auto [program, report] :
         {std::pair{"10 INPUT 5", errorReport("WHAT?", "10 INPUT")},
          std::pair{"10 INPUT A,5", "A " + errorReport("WHAT?", "10 INPUTA,")},
          std::pair{"10 INPUT @(4096)", errorReport("HOW?", "10 INPUT@(4096)")}}) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(Let, FormsAndErrors)
{
    BasicRun run("LETA=1,B=A+1:@(1)=5:@(2)=@(1)+1");
    EXPECT_EQ(run.in->variables[2], 2);
    EXPECT_EQ(run.in->atArray[2], 6);
    for (auto [program, report] :
         {std::pair{"10 @(4096)=1", errorReport("HOW?", "10 @(4096)")},
          std::pair{"10 @(4096)=1/0", errorReport("HOW?", "10 @(4096)")},  // index before value
          std::pair{"10 LETA", errorReport("WHAT?", "10 LETA")},
          std::pair{"10 A=1,", errorReport("WHAT?", "10 A=1,")},
          std::pair{"10 A=1,B", errorReport("WHAT?", "10 A=1,B")}}) {
        BasicRun bad(program);
        EXPECT_EQ(bad.output(), report) << program;
    }
}

TEST(Jumps, GotoGosubReturnIfRemStop)
{
    const Case cases[] = {
        {"GOTO 100;PRINT 1\n100 PRINT 2", "       2\n"},
        {"GOSUB 100;PRINT 1:END\n100 RETURN", "       1\n"},
        {"GOSUB 100:END\n100 RETURN;PRINT 2", ""},
        {"N=10:GOTO 100+N\n100 PRINT 1\n110 PRINT 2", "       2\n"},
        {"GOTO 0100\n100 PRINT 1", "       1\n"},
        {"GOTO -1\nPRINT 1\nPRINT 2", "       2\n"},       // the last line without a number
        {"GOTO 50\n50\nPRINT 3", "       3\n"},             // a target with only its number
        {"GOTO 50\n50;PRINT 4", "       4\n"},              // a target that begins with ";"
        {"IF 0 PRINT 1;PRINT 2\nPRINT 3", "       3\n"},
        {"IF 1 PRINT 1;PRINT 2", "       1\n       2\n"},
        {"IF 1 THEN PRINT 1", "       1\n"},
        {"IF 1:PRINT 1", "       1\n"},
        {"IF 1 then print 1", "       1\n"},
        {"IF 1", ""},
        {"IF 2>1 IF 3>2 PRINT 5", "       5\n"},
        {"REM ;PRINT 1\n' ;PRINT 2\nPRINT 3", "       3\n"},
        {"STOP;PRINT 1\nPRINT 2", "       1\n"},
        {"STOP;GOTO 100\n100 PRINT 7", "       7\n"},
        {"END\nPRINT 1", ""},
        {"10 END;PRINT 1", "       1\n"},
        {"FOR I=1 TO 3:IF 1 PRINT I;NEXT I", "       1\n       2\n       3\n"},
        {"GOSUB 20:PRINT 9:END\n20 GOTO 30\n30 RETURN", "       9\n"},
    };
    expectPrinted(std::begin(cases), std::end(cases));
}

TEST(Jumps, GosubDepthAndErrors)
{
    BasicRun ok("10 N=N+1:IF N<101 GOSUB 10\n20 PRINT N");
    EXPECT_EQ(ok.in->returnStack.count, 200);  // 100 calls open at once
    EXPECT_EQ(printedBeforeTimeReport(ok), "     101\n");

    BasicRun sorry("10 N=N+1:GOSUB 10");
    EXPECT_EQ(sorry.output(), errorReport("SORRY", "10 N=N+1;GOSUB10"));
    EXPECT_EQ(sorry.in->variables['N' - 64], 101);

    for (auto [program, report] :
         {std::pair{"20 GOTO 99", errorReport("HOW?", "20 GOTO99")},
          std::pair{"20 GOSUB 99;PRINT 1", errorReport("HOW?", "20 GOSUB99")},
          std::pair{"20 GOTO 0", errorReport("HOW?", "20 GOTO0")},
          std::pair{"20 RETURN;PRINT 1", errorReport("HOW?", "20 RETURN")},
          std::pair{"10 IF 1 THEN 100", errorReport("WHAT?", "10 IF1;")}}) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(Loops, ValuesAfterTheLoop)
{
    struct Loop {
        std::string program;
        std::string printed;
        int32_t after;
    };
    const Loop cases[] = {
        {"FOR I=1 TO 3;PRINT I;NEXT I", "       1\n       2\n       3\n", 4},
        {"FOR I=3 TO 1 STEP -1;PRINT I;NEXT I", "       3\n       2\n       1\n", 0},
        {"FOR I=1 TO 10 STEP 4;PRINT I;NEXT I", "       1\n       5\n       9\n", 13},
        {"FOR I=5 TO 1;PRINT I;NEXT I", "       5\n", 6},
        {"FOR I=1 TO 10 S.2;PRINT I;NEXT I;", "       1\n       3\n       5\n       7\n       9\n", 11},
        {"FOR I=1 TO 4 STE.3;PRINT I;NEXT I", "       1\n       4\n", 7},
        {"FOR I=1 TO 4 ST.3;PRINT I;NEXT I", "       1\n       4\n", 7},
        {"FOR I=2147483646 TO 2147483647;NEXT I", "", INT32_MIN},
        {"FOR I=-2147483647 TO 2147483647;PRINT 1;NEXT I", "       1\n", -2147483646},
        {"FOR I=5 TO 1 STEP 0;NEXT I", "", 5},
        {"N=2:FOR I=1 TO N:N=10:NEXT I", "", 3},             // the limit is fixed at FOR
        {"FOR I=1 TO 5:I=I+1:NEXT I", "", 7},                // the variable itself counts
        {"FOR I=1 TO 2\nPRINT I\nNEXT I", "       1\n       2\n", 3},
        {"FOR I=1 TO 2:FOR J=1 TO 3:PRINT J:NEXT I", "       1\n       1\n", 3},
        {"FOR I=1 TO 2:. I", "", 3},
    };
    for (const Loop& c : cases) {
        BasicRun run(c.program);
        EXPECT_EQ(printedBeforeTimeReport(run), c.printed) << c.program;
        EXPECT_EQ(run.in->variables['I' - 64], c.after) << c.program;
    }
}

TEST(Loops, StackFramesAndCachedTop)
{
    // Restarting a FOR of a looping variable closes everything opened after it.
    BasicRun restart("FOR I=1 TO 2:FOR J=1 TO 2:FOR I=1 TO 1:NEXT I");
    EXPECT_EQ(restart.in->loopStack.count, 0);
    EXPECT_EQ(restart.in->topLoopFrame.variable, 0);

    std::string all;
    for (char v = 'A'; v <= 'Z'; ++v) all += std::string("FOR ") + v + "=1 TO 2:";
    all += "PRINT 1";
    BasicRun twentySix(all);
    EXPECT_EQ(twentySix.in->loopStack.count, 130);
    EXPECT_EQ(twentySix.in->topLoopFrame.variable, 26);

    // NEXT of an outer loop drops the inner frame and steps the outer one.
    BasicRun outer("FOR I=1 TO 2:FOR J=5 TO 9:NEXT I:PRINT J");
    EXPECT_EQ(printedBeforeTimeReport(outer), "       5\n");
    EXPECT_EQ(outer.in->loopStack.count, 0);
}

TEST(Loops, Errors)
{
    const std::pair<std::string, std::string> cases[] = {
        {"10 FOR 1=1 TO 2", errorReport("WHAT?", "10 FOR")},
        {"10 FOR I 1 TO 2", errorReport("WHAT?", "10 FORI")},
        {"10 FOR I=1 T.10", errorReport("WHAT?", "10 FORI=1")},
        {"10 FOR I=1 TO 10 STEP.2", errorReport("WHAT?", "10 FORI=1TO10STEP")},
        {"10 NEXT", errorReport("WHAT?", "10 NEXT")},
        {"10 NEXT J", errorReport("HOW?", "10 NEXTJ")},
        {"10 FOR I=1 TO 2:NEXT J", errorReport("HOW?", "10 FORI=1TO2;NEXTJ")},
    };
    for (const auto& [program, report] : cases) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(Reports, LinesWithoutNumbersAndAfterStop)
{
    const std::pair<std::string, std::string> cases[] = {
        {"10 PRINT 1/0", errorReport("HOW?", "10 PRINT1/0")},
        {"A=1\nB=2\nx=", errorReport("WHAT?", "3 Line : X=")},
        {"0 X=", errorReport("WHAT?", "1 Line : X=")},
        {"10 STOP;X=", errorReport("WHAT?", "2 Line : STOP;X=")},
        {"10 PRINT 1,:A=1/0", "       1" + errorReport("HOW?", "10 PRINT1,;A=1/0")},
        {"\n\n10 ;", errorReport("WHAT?", "10 ")},
        {"\n;", errorReport("WHAT?", "2 Line : ")},
    };
    for (const auto& [program, report] : cases) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(Run, EmptyAndEndingPrograms)
{
    BasicRun empty("");
    EXPECT_EQ(empty.output(), timeReport());
    BasicRun open("PRINT 1,");
    EXPECT_EQ(open.output(), "       1" + timeReport());
    BasicRun gosubAfterStop("10 STOP:GOSUB 20:PRINT 1\n20 RETURN");
    EXPECT_EQ(gosubAfterStop.output(), timeReport());
}

TEST(Run, TimeReportCountsTheWholeRun)
{
    BasicRun run("A=WAIT(1234)");
    EXPECT_EQ(run.output(), timeReport(1234));
}

} // namespace
} // namespace atb::test
