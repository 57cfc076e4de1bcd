// The console, keyboard and timing words' argument rules, on the fakes.
#include "interp/interpreter.h"
#include "platform/fake/fake_platform.h"
#include "platform/terminal_console.h"
#include "words/words.h"

#include <gtest/gtest.h>

namespace atb {
namespace {

struct Words : ::testing::Test {
    FakePlatform fake;
    Interpreter in{fake.platform};
    void SetUp() override { fillKeyScanMap(in); }
    ErrorKind raised(int32_t (*word)(Interpreter&, int32_t), int32_t n)
    {
        try {
            word(in, n);
        } catch (const BasicError& e) {
            return e.kind;
        }
        return ErrorKind{};
    }
};

TEST_F(Words, LocAndColUnpackTheirArgumentWithTruncatingDivision)
{
    struct Case {
        int32_t n;
        const char* loc;
        const char* col;
    } cases[] = {
        {1005, "locate 10 5", "color 13 62"}, {7, "locate 0 7", "color 7 0"},
        {-5, "locate 0 -5", "color -5 0"},    {31, "locate 0 31", "color 15 1"},
        {256, "locate 2 56", "color 0 16"},   {-1234, "locate -12 -34", "color -2 -77"},
    };
    for (const Case& c : cases) {
        fake.console.calls.clear();
        EXPECT_EQ(wordLoc(in, c.n), 0);
        EXPECT_EQ(wordCol(in, c.n), 0);
        std::vector<std::string> expected{"direct on", c.loc, "direct off", c.col};
        EXPECT_EQ(fake.console.calls, expected) << c.n;
    }
}

TEST_F(Words, PutcAndCurhRaiseHowOutsideTheirRangeBeforeDoingAnything)
{
    for (int32_t n : {255, 256, -1, INT32_MIN}) EXPECT_EQ(raised(wordPutc, n), ErrorKind::How) << n;
    for (int32_t n : {11, -1, INT32_MAX}) EXPECT_EQ(raised(wordCurh, n), ErrorKind::How) << n;
    EXPECT_EQ(fake.console.output, "");
    EXPECT_TRUE(fake.console.calls.empty());
    wordPutc(in, 0);
    wordPutc(in, 254);
    wordPutc(in, 65);
    EXPECT_EQ(fake.console.output, "\xfe" "A");
    wordCurh(in, 0);
    wordCurh(in, 10);
    std::vector<std::string> expected{"direct on", "cursor 0", "direct off", "direct on", "cursor 10", "direct off"};
    EXPECT_EQ(fake.console.calls, expected);
}

TEST_F(Words, TabAndBeepWriteBlanksAndTheBell)
{
    wordTab(in, 0);
    wordTab(in, -3);
    wordTab(in, INT32_MIN);
    EXPECT_EQ(fake.console.output, "");
    wordTab(in, 3);
    wordBeep(in);
    wordTab(in, 300);
    EXPECT_EQ(fake.console.output, "   \a" + std::string(300, ' '));
}

TEST_F(Words, VkeyReadsOnlyMappedCodesAndShiftIsTheLeftOne)
{
    for (int32_t n : {0, -1, 256, 192, 91, 160, INT32_MIN}) EXPECT_EQ(wordVkey(in, n), 0) << n;
    EXPECT_EQ(fake.keyboard.examineCount, 0);
    fake.keyboard.down = {54};  // right Shift
    EXPECT_EQ(wordVkey(in, 16), 0);
    fake.keyboard.down = {42};
    EXPECT_EQ(wordVkey(in, 16), 1);
    fake.keyboard.down = {203};
    EXPECT_EQ(wordVkey(in, 37), 1);
    fake.keyboard.failing = true;
    EXPECT_EQ(wordVkey(in, 37), 0);
    EXPECT_EQ(fake.keyboard.examineCount, 4);
}

TEST_F(Words, WaitSleepsOrPollsEvery100MsUntilAKeyIsDown)
{
    wordWait(in, 50);
    EXPECT_EQ(fake.clock.sleeps, std::vector<int32_t>{50});
    fake.clock.sleeps.clear();
    fake.keyboard.pressAfterExamines = 3;
    fake.keyboard.pressScanCode = 57;
    wordWait(in, -7);
    EXPECT_EQ(fake.clock.sleeps, (std::vector<int32_t>{100, 100, 100}));
    // A key already down still costs one poll; a key that never comes ends the wait at input's end.
    fake.clock.sleeps.clear();
    wordWait(in, 0);
    EXPECT_EQ(fake.clock.sleeps, std::vector<int32_t>{100});
    fake.keyboard.down.clear();
    fake.keyboard.pressAfterExamines = -1;
    fake.keyboard.noMoreKeys = true;
    fake.clock.sleeps.clear();
    wordWait(in, 0);
    EXPECT_EQ(fake.clock.sleeps, std::vector<int32_t>{100});
}

TEST(TerminalColors, AttributeBitsBecomeTheSixteenTerminalColours)
{
    struct Case {
        int32_t fg, bg;
        const char* sequence;
    } cases[] = {
        {15, 1, "\x1b[97;44m"}, {7, 0, "\x1b[37;40m"}, {1, 4, "\x1b[34;41m"}, {8, 15, "\x1b[90;107m"},
        {6, 3, "\x1b[33;46m"},  {12, 9, "\x1b[91;104m"}, {0, 16, ""},         {16, 0, ""},
        {-1, 0, ""},            {0, -77, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TerminalConsole::colorSequence(c.fg, c.bg), c.sequence);
}

} // namespace
} // namespace atb
