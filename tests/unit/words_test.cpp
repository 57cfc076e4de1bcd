// The built-in words: recognition, numeric words, the data stack, the array
// blocks, and the console, keyboard, clock and media words on fakes.
#include "basic_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace atb::test {
namespace {

struct Case {
    std::string program;
    std::string printed;
};

void expectPrinted(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        BasicRun run(c.program);
        EXPECT_EQ(printedBeforeTimeReport(run), c.printed) << c.program;
    }
}

void expectReports(std::initializer_list<std::pair<std::string, std::string>> cases)
{
    for (const auto& [program, report] : cases) {
        BasicRun run(program);
        EXPECT_EQ(run.output(), report) << program;
    }
}

TEST(WordRecognition, WordsAbbreviationsAndVariables)
{
    expectPrinted({
        {"PRINT ABS(-5),A.(-5),AB.(-5),ABS(0)", "       5       5       5       0\n"},
        {"PRINT SGN(-7),SGN(0),SGN(123)", "      -1       0       1\n"},
        {"PRINT SIZE,S.,SI.,SIZ.", "    8192    8192    8192    8192\n"},
        {"PRINT ABS(-2147483648)", "-2147483648\n"},
        {"A=2:B=3:PRINT AB+1", "       2       4\n"},    // no word AB: A, then +B... as items
        {"X=PUSH(4):PRINT POPA", "       4       0\n"},   // POP, then the variable A
        {"PRINT R.(1)", "       1\n"},                   // RND here, RETURN as a statement
        {"PRINT SIZE(1)", "    8192       1\n"},          // SIZE takes no argument
        {"A=-5:PRINT ABS(A)*2", "      10\n"},
        {"IF SGN(-1)<0 PRINT 1", "       1\n"},
        {"FOR I=1 TO ABS(-2):PRINT I:NEXT I", "       1\n       2\n"},
        {"GOSUB 10*ABS(-1):END\n10 PRINT 5:RETURN", "       5\n"},
        {"@(ABS(-3))=4:PRINT @(3)", "       4\n"},
        {"PRINT ABS(SGN(-9)*7)", "       7\n"},
        {"PRINT RND(1)+RND(1)", "       2\n"},
    });
    expectReports({
        {"10 A=ABS5", errorReport("WHAT?", "10 A=ABS")},
        {"10 A=ABS(A>B)", errorReport("WHAT?", "10 A=ABS(A")},
        {"10 A=RND(5,6)", errorReport("WHAT?", "10 A=RND(5")},
        {"10 A=RND(0)", errorReport("HOW?", "10 A=RND(0)")},
        {"10 A=RND(-3)+1", errorReport("HOW?", "10 A=RND(-3)")},
        {"10 A=ABS(1", errorReport("WHAT?", "10 A=ABS(1")},
    });
}

TEST(NumericWords, RndCoversItsRangeFromTheSharedSource)
{
    BasicRun run("FOR I=1 TO 600:@(RND(6))=@(RND(6))+1:NEXT I");
    for (int v = 1; v <= 6; ++v) EXPECT_GT(run.in->atArray[v], 50) << v;
    EXPECT_EQ(run.in->atArray[0] + run.in->atArray[7], 0);
    ASSERT_EQ(run.fake.random.bounds.size(), 1200u);
    EXPECT_TRUE(std::all_of(run.fake.random.bounds.begin(), run.fake.random.bounds.end(),
                            [](uint32_t b) { return b == 6; }));
    BasicRun big("A=RND(2147483647)");
    EXPECT_GE(big.in->variables[1], 1);
}

TEST(DataStack, Operations)
{
    expectPrinted({
        {"A=PUSH(7)+PUSH(2):B=SUB:PRINT POP", "       5\n"},
        {"A=PUSH(7)+PUSH(2):B=DIV:PRINT POP", "       3\n"},
        {"A=PUSH(7)+PUSH(2):B=MOD:PRINT POP", "       1\n"},
        {"A=PUSH(-7)+PUSH(2):B=DIV:PRINT POP", "      -3\n"},
        {"A=PUSH(-7)+PUSH(2):B=MOD:PRINT POP", "      -1\n"},
        {"A=PUSH(6)+PUSH(7):B=MUL:PRINT POP", "      42\n"},
        {"A=PUSH(2147483647)+PUSH(1):B=ADD:PRINT POP", "-2147483648\n"},
        {"A=PUSH(-2147483648)+PUSH(-1):B=DIV+PUSH(-2147483648)+PUSH(-1)+MOD:PRINT POP,POP",
         "       0-2147483648\n"},
        {"A=PUSH(1)+PUSH(2)+PUSH(3)+ROT:PRINT POP,POP,POP", "       2       1       3\n"},
        {"A=PUSH(1)+PUSH(2)+SWAP:PRINT POP,POP", "       1       2\n"},
        {"A=PUSH(1)+PUSH(2)+OVER:PRINT STPT(0),POP", "       3       1\n"},
        {"A=PUSH(5)+DUP:PRINT STPT(0),PEEK", "       2       5\n"},
        {"A=PUSH(4)+PUSH(5)+PUSH(6)+PICK(3):PRINT POP,PICK(1),POP", "       4       0       6\n"},
        {"PRINT POKE(9),PUSH(8),STPT(0)", "       9       0       2\n"},
        {"A=PUSH(5)+POP:PRINT STPT(1),STPT(0),PEEK", "       5       0       0\n"},
        {"PRINT PEEK,DIGI(1),STPT(0),STCL", "       0       0       0       0\n"},
        {"A=PUSH(1)+STCL:PRINT STPT(0)", "       0\n"},
    });
}

TEST(DataStack, ArgumentWordsActFirst)
{
    BasicRun run("A=PUSH(1)+PUSH(2):B=PUSH(POP+POP):PRINT POP,STPT(0)");
    EXPECT_EQ(printedBeforeTimeReport(run), "       3       0\n");
}

TEST(DataStack, Digits)
{
    expectPrinted({
        {"A=PUSH(385):PRINT DIGI(1),DIGI(2),DIGI(3),DIGI(4)", "       5       8       3       0\n"},
        {"A=PUSH(-457):PRINT DIGI(1),DIGI(2),DIGI(3),DIGI(4)", "      -7      -5      -4       0\n"},
        {"A=PUSH(2147483647):PRINT DIGI(9),DIGI(1)", "       1       7\n"},
        {"A=PUSH(1234567890):PRINT DIGI(9)", "       2\n"},
    });
    expectReports({
        {"10 A=PUSH(5)+DIGI(0)", errorReport("HOW?", "10 A=PUSH(5)+DIGI(0)")},
        {"10 A=DIGI(10)", errorReport("HOW?", "10 A=DIGI(10)")},
    });
}

TEST(DataStack, LimitsAndEmptyStack)
{
    std::string fill = "10 FOR I=1 TO 1000:A=PUSH(I):NEXT I\n";
    BasicRun full(fill + "20 PRINT STPT(1000),STPT(0),PEEK");
    EXPECT_EQ(printedBeforeTimeReport(full), "    1000    1000    1000\n");
    for (const char* word : {"PUSH(1)", "POKE(1)", "DUP", "OVER", "PICK(1)"}) {
        BasicRun over(fill + "20 A=" + word);
        EXPECT_EQ(over.output(), errorReport("HOW?", std::string("20 A=") + word)) << word;
        EXPECT_EQ(over.in->dataStack[0], 1000) << word;
    }
    for (const char* word : {"POP", "DROP", "SWAP", "ADD", "SUB", "MUL", "DIV", "MOD", "ROT", "DUP"}) {
        BasicRun empty(std::string("10 A=") + word);
        EXPECT_EQ(empty.output(), errorReport("HOW?", std::string("10 A=") + word)) << word;
    }
    expectReports({
        {"10 A=PUSH(1)+SWAP", errorReport("HOW?", "10 A=PUSH(1)+SWAP")},
        {"10 A=PUSH(1)+OVER", errorReport("HOW?", "10 A=PUSH(1)+OVER")},
        {"10 A=PUSH(1)+PUSH(2)+ROT", errorReport("HOW?", "10 A=PUSH(1)+PUSH(2)+ROT")},
        {"10 A=PUSH(1)+PICK(0)", errorReport("HOW?", "10 A=PUSH(1)+PICK(0)")},
        {"10 A=PUSH(1)+PICK(2)", errorReport("HOW?", "10 A=PUSH(1)+PICK(2)")},
        {"10 A=PUSH(1)+PUSH(0)+DIV", errorReport("HOW?", "10 A=PUSH(1)+PUSH(0)+DIV")},
        {"10 A=PUSH(1)+PUSH(0)+MOD", errorReport("HOW?", "10 A=PUSH(1)+PUSH(0)+MOD")},
        {"10 A=STPT(1001)", errorReport("HOW?", "10 A=STPT(1001)")},
        {"10 A=STPT(-1)", errorReport("HOW?", "10 A=STPT(-1)")},
    });
    // A failing word changes nothing.
    BasicRun div("10 A=PUSH(9)+PUSH(0)+DIV");
    EXPECT_EQ(div.in->dataStack[0], 2);
    EXPECT_EQ(div.in->dataStack[1], 9);
}

TEST(DataStack, ListLayout)
{
    BasicRun run("A=PUSH(10)+PUSH(-5)+PUSH(300)+LIST");
    EXPECT_EQ(printedBeforeTimeReport(run),
              "\r\n  SP      VALUE\r\n   3        300\r\n   2         -5\r\n   1         10\r\n");
    BasicRun empty("A=LIST");
    EXPECT_EQ(printedBeforeTimeReport(empty), "\r\n  SP      VALUE\r\nNULL       NULL\r\n");
    BasicRun extreme("A=PUSH(-2147483648)+LIST");
    EXPECT_EQ(printedBeforeTimeReport(extreme), "\r\n  SP      VALUE\r\n   1-2147483648\r\n");
}

TEST(Blocks, PutExamples)
{
    BasicRun o("A=PUSH(100)+PUTO(42)");
    EXPECT_EQ(std::vector<int32_t>(o.in->atArray.begin() + 100, o.in->atArray.begin() + 108),
              (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 4, 2}));
    EXPECT_EQ(o.in->dataStack[1], 108);
    BasicRun q("A=PUSH(100)+PUTQ(8192)");
    EXPECT_EQ(std::vector<int32_t>(q.in->atArray.begin() + 100, q.in->atArray.begin() + 104),
              (std::vector<int32_t>{0, 0, 81, 92}));
    EXPECT_EQ(q.in->dataStack[1], 104);
    BasicRun t("A=PUSH(100)+PUTT(-1234)");
    EXPECT_EQ(std::vector<int32_t>(t.in->atArray.begin() + 100, t.in->atArray.begin() + 103),
              (std::vector<int32_t>{0, -1, -234}));
    BasicRun nine("A=PUSH(0)+PUTO(123456789)");
    EXPECT_EQ(std::vector<int32_t>(nine.in->atArray.begin(), nine.in->atArray.begin() + 8),
              (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9}));
    BasicRun twice("A=PUSH(0)+PUTT(123456789)+PUTT(42)");
    EXPECT_EQ(std::vector<int32_t>(twice.in->atArray.begin(), twice.in->atArray.begin() + 6),
              (std::vector<int32_t>{123, 456, 789, 0, 0, 42}));
    EXPECT_EQ(twice.in->dataStack[1], 6);
    EXPECT_EQ(twice.in->dataStack[0], 1);
    BasicRun last("A=PUSH(4088)+PUTO(1)");
    EXPECT_EQ(last.in->atArray[4095], 1);
    EXPECT_EQ(last.in->dataStack[1], 4096);
    expectReports({
        {"10 A=PUSH(4088)+PUTO(1)+PUTO(2)", errorReport("HOW?", "10 A=PUSH(4088)+PUTO(1)+PUTO(2)")},
        {"10 A=PUSH(4093)+PUTQ(1)", errorReport("HOW?", "10 A=PUSH(4093)+PUTQ(1)")},
        {"10 A=PUSH(4094)+PUTT(1)", errorReport("HOW?", "10 A=PUSH(4094)+PUTT(1)")},
        {"10 A=PUSH(-1)+PUTO(1)", errorReport("HOW?", "10 A=PUSH(-1)+PUTO(1)")},
        {"10 A=PUTT(1)", errorReport("HOW?", "10 A=PUTT(1)")},
    });
    BasicRun q4092("A=PUSH(4092)+PUTQ(1)+PUSH(4093)+PUTT(2)");
    EXPECT_EQ(q4092.output(), timeReport());
}

TEST(Blocks, SortFullFind)
{
    BasicRun sort("FOR I=0 TO 9:@(I)=(I*7)%10-5:NEXT I:A=PUSH(0)+SORT(10)+PUSH(2)+SORT(-5)");
    EXPECT_EQ(std::vector<int32_t>(sort.in->atArray.begin(), sort.in->atArray.begin() + 10),
              (std::vector<int32_t>{-5, -4, 1, 0, -1, -2, -3, 2, 3, 4}));
    EXPECT_EQ(sort.in->dataStack[0], 0);  // both starts popped

    BasicRun full("@(10)=5:@(7)=1:A=PUSH(10)+FULL(-4)+PUSH(7)+FULL(3)");
    EXPECT_EQ(std::vector<int32_t>(full.in->atArray.begin() + 7, full.in->atArray.begin() + 14),
              (std::vector<int32_t>{0, 0, 0, 5, 6, 7, 8}));
    EXPECT_EQ(full.in->dataStack[0], 2);  // FULL leaves the stack alone

    BasicRun find("@(3)=9:@(5)=9:@(10)=8:A=PUSH(10)+PUSH(3):PRINT FIND(9),FIND(8),FIND(7),STPT(0)");
    EXPECT_EQ(printedBeforeTimeReport(find), "       3      10       0       2\n");
    BasicRun top("@(4095)=1:A=PUSH(1)+PUSH(4095):PRINT FIND(1)");
    EXPECT_EQ(printedBeforeTimeReport(top), "    4095\n");

    expectReports({
        {"10 A=PUSH(5)+PUSH(5)+FIND(1)", errorReport("HOW?", "10 A=PUSH(5)+PUSH(5)+FIND(1)")},
        {"10 A=PUSH(0)+PUSH(10)+FIND(1)", errorReport("HOW?", "10 A=PUSH(0)+PUSH(10)+FIND(1)")},
        {"10 A=PUSH(10)+FIND(1)", errorReport("HOW?", "10 A=PUSH(10)+FIND(1)")},
        {"10 A=PUSH(0)+SORT(0)", errorReport("HOW?", "10 A=PUSH(0)+SORT(0)")},
        {"10 A=PUSH(0)+SORT(-2147483648)", errorReport("HOW?", "10 A=PUSH(0)+SORT(-2147483648)")},
        {"10 A=PUSH(0)+FULL(0)", errorReport("HOW?", "10 A=PUSH(0)+FULL(0)")},
        {"10 A=PUSH(0)+FULL(-2147483648)", errorReport("HOW?", "10 A=PUSH(0)+FULL(-2147483648)")},
        {"10 A=PUSH(1)+FULL(4095)", errorReport("HOW?", "10 A=PUSH(1)+FULL(4095)")},
        {"10 A=PUSH(-1)+SORT(2)", errorReport("HOW?", "10 A=PUSH(-1)+SORT(2)")},
        {"10 A=SORT(2)", errorReport("HOW?", "10 A=SORT(2)")},
        {"10 A=PUSH(2147483647)+FULL(2)", errorReport("HOW?", "10 A=PUSH(2147483647)+FULL(2)")},
        {"10 A=PUSH(2147483647)+SHUF(1)", errorReport("HOW?", "10 A=PUSH(2147483647)+SHUF(1)")},
        {"10 A=PUSH(0)+SHUF(0)", errorReport("HOW?", "10 A=PUSH(0)+SHUF(0)")},
        {"10 A=PUSH(0)+SHUF(-3)", errorReport("HOW?", "10 A=PUSH(0)+SHUF(-3)")},
        {"10 A=PUSH(1)+SHUF(4095)", errorReport("HOW?", "10 A=PUSH(1)+SHUF(4095)")},
    });
    BasicRun edge("A=PUSH(1)+SHUF(4094)+PUSH(1)+SORT(4094)+PUSH(0)+FULL(-4095)");
    EXPECT_EQ(edge.output(), timeReport());
    EXPECT_EQ(edge.in->atArray[4094], 4094);
}

TEST(Blocks, ShuffleIsForwardFisherYatesOnTheSharedSource)
{
    BasicRun run("@(10)=10:A=PUSH(10)+FULL(-8)+SHUF(8)");
    // Repeat the draws with an engine seeded like the fake's.
    FakeRandom same;
    std::vector<int32_t> expect{10, 11, 12, 13, 14, 15, 16, 17};
    for (int i = 1; i < 8; ++i) std::swap(expect[i], expect[same.below(static_cast<uint32_t>(i + 1))]);
    EXPECT_EQ(std::vector<int32_t>(run.in->atArray.begin() + 10, run.in->atArray.begin() + 18), expect);
    EXPECT_EQ(run.fake.random.bounds, (std::vector<uint32_t>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(run.in->dataStack[0], 0);

    BasicRun one("@(5)=3:A=PUSH(5)+SHUF(1)");
    EXPECT_EQ(one.in->atArray[5], 3);
    EXPECT_EQ(one.in->dataStack[0], 0);
    EXPECT_TRUE(one.fake.random.bounds.empty());
}

TEST(ConsoleWords, CallsAndArguments)
{
    BasicRun run("A=CLS+LOC(1005)+LOC(7)+LOC(-5)+COL(31)+COL(256)+CURH(0)+CURH(10)");
    EXPECT_EQ(run.fake.console.calls,
              (std::vector<std::string>{"direct on", "clear", "direct off", "direct on", "locate 10 5",
                                        "direct off", "direct on", "locate 0 7", "direct off", "direct on",
                                        "locate 0 -5", "direct off", "color 15 1", "color 0 16",
                                        "direct on", "cursor 0", "direct off", "direct on", "cursor 10",
                                        "direct off"}));
    expectPrinted({
        {"A=PUTC(65)+PUTC(0)+PUTC(10)", "A\n"},
        {"A=PUTC(254)", "\xfe"},
        {"A=TAB(3)+TAB(0)+TAB(-3)+PUTC(42)", "   *"},
        {"A=BEEP", "\a"},
    });
    expectReports({
        {"10 A=PUTC(255)", errorReport("HOW?", "10 A=PUTC(255)")},
        {"10 A=PUTC(-1)", errorReport("HOW?", "10 A=PUTC(-1)")},
        {"10 A=CURH(11)", errorReport("HOW?", "10 A=CURH(11)")},
        {"10 A=CURH(-1)", errorReport("HOW?", "10 A=CURH(-1)")},
    });
    BasicRun failed("10 A=CURH(11)");
    EXPECT_TRUE(failed.fake.console.calls.empty());  // nothing done before the error
}

TEST(ConsoleWords, WaitSleepsOrPollsForAKey)
{
    BasicRun wait("A=TIME:B=WAIT(50):C=TIME");
    EXPECT_EQ(wait.in->variables[3] - wait.in->variables[1], 50);

    struct Poll {
        const char* program;
        void (*setup)(FakePlatform&);
        std::vector<int32_t> sleeps;
    };
    const Poll polls[] = {
        {"A=WAIT(0)", [](FakePlatform& f) { f.keyboard.pressAfterExamines = 3, f.keyboard.pressScanCode = 57; },
         {100, 100, 100}},
        {"A=WAIT(-5)", [](FakePlatform& f) { f.keyboard.down = {1}; }, {100}},     // a key already held
        {"A=WAIT(0)", [](FakePlatform& f) { f.keyboard.noMoreKeys = true; }, {100}},  // input at its end
        {"A=WAIT(-2147483648)",
         [](FakePlatform& f) { f.keyboard.pressAfterExamines = 2, f.keyboard.pressScanCode = 254; }, {100, 100}},
        {"A=WAIT(0)",  // scan code 255 is no key for the wait
         [](FakePlatform& f) { f.keyboard.down = {255}, f.keyboard.pressAfterExamines = 2, f.keyboard.pressScanCode = 30; },
         {100, 100}},
        {"A=WAIT(1)", [](FakePlatform&) {}, {1}},
    };
    for (const Poll& p : polls) {
        BasicRun run(p.program, {}, p.setup);
        EXPECT_EQ(run.fake.clock.sleeps, p.sleeps) << p.program;
    }
}

TEST(ConsoleWords, VkeyReadsAFreshSnapshot)
{
    auto shiftAndA = [](FakePlatform& f) { f.keyboard.down = {30, 54}; };  // A and the right Shift
    BasicRun run("PRINT VKEY(65),VKEY(66),VKEY(16),VKEY(0),VKEY(256),VKEY(-1),VKEY(192)", {}, shiftAndA);
    EXPECT_EQ(printedBeforeTimeReport(run), "       1       0       0       0       0       0       0\n");
    EXPECT_EQ(run.fake.keyboard.examineCount, 3);  // codes without a key never read the keyboard

    auto failing = [](FakePlatform& f) { f.keyboard.down = {30}, f.keyboard.failing = true; };
    BasicRun failed("PRINT VKEY(65)", {}, failing);
    EXPECT_EQ(printedBeforeTimeReport(failed), "       0\n");
}

TEST(ConsoleWords, VkeyMapsVirtualKeysToScanCodes)
{
    struct Key {
        int32_t vk;
        int32_t scan;
    };
    const Key keys[] = {{65, 30}, {90, 44}, {48, 11}, {49, 2}, {57, 10}, {16, 42}, {37, 203},
                        {13, 28}, {27, 1},  {112, 59}, {121, 68}, {122, 87}, {123, 88}, {96, 82},
                        {105, 73}, {111, 181}, {221, 27}, {19, 197}};
    for (const Key& k : keys) {
        BasicRun run("A=VKEY(" + std::to_string(k.vk) + ")");
        EXPECT_EQ(run.in->keyScanMap[k.vk], k.scan) << k.vk;
    }
    BasicRun map("A=1");
    EXPECT_EQ(std::count_if(map.in->keyScanMap.begin(), map.in->keyScanMap.end(), [](int32_t s) { return s >= 0; }),
              91);
    for (int32_t vk : {0, 1, 7, 91, 95, 108, 124, 143, 160, 165, 186, 189, 192, 220})
        EXPECT_EQ(map.in->keyScanMap[vk], -1) << vk;
}

} // namespace
} // namespace atb::test
