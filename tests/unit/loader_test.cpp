// Reading program files into lines, and the line normaliser.
#include "interp/cursor.h"
#include "loader/program_store.h"

#include <gtest/gtest.h>

#include <string>

namespace atb {
namespace {

using namespace std::string_literals;

std::vector<std::string> linesOf(std::string_view contents)
{
    std::vector<std::string> out;
    for (auto line : splitLines(contents)) out.emplace_back(line);
    return out;
}

TEST(SplitLines, EveryLineEndingGivesTheSameLines)
{
    struct Case {
        std::string contents;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\0b\0"s, {"a", "b"}},
        {"a\nb", {"a", "b"}},           // the last line needs no ending
        {"", {}},                        // an empty file has no lines
        {"\n", {""}},                    // one empty line, and none after the ending
        {"a\r\r\nb", {"a", "", "b"}},    // CR, then CR LF
        {"a\n\rb", {"a", "", "b"}},      // LF then CR: two endings
        {"a\r\n\r\n", {"a", ""}},
        {"\0\0"s, {"", ""}},
        {"x\r", {"x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(linesOf(c.contents), c.lines) << testing::PrintToString(c.contents);
}

TEST(NormaliseLine, WorkedExamples)
{
    struct Case {
        std::string raw;
        std::string stored;
    };
    const Case cases[] = {
        {"if a<>b then print 'x: y':goto 10", "IFA<>B;PRINT'x: y';GOTO10"},
        {"let x = 5", "LETX=5"},
        {"print 1", "PRINT1"},
        {"PRINT ATHENS", "PRINTA;S"},                   // THEN inside a longer word
        {"PRINT \"athens\"", "PRINT\"athens\""},         // but not inside quotes
        {"IF X TH EN 1", "IFXTHEN1"},                    // broken by a blank
        {"if x then then", "IFX;;"},
        {"THENTHEN", ";THEN"},                           // the byte after THEN is not tested again
        {"xthen", "X;"},
        {"PRINT 'abc: def", "PRINT'abc: def"},           // a quote never closed takes the rest
        {"? \"it's\" ; 'say \"hi\"'", "?\"it's\";'say \"hi\"'"},
        {"a\tb", "AB"},                                  // tabs are dropped too
        {"p. 1 : p. 2", "P.1;P.2"},
        {"A\x81\x40=\x81\x46" "1", "A=1"},               // full-width space and colon removed
        {"PRINT \"\x81\x40\"", "PRINT\"\x81\x40\""},     // kept inside quotes
        {"A=1\x81", "A=1"},                              // a lead byte at the very end
        {"\x82\xa0x", "\x82\xa0X"},                      // other high bytes pass unchanged
        {"print \"\"", "PRINT\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(normaliseLine(c.raw, 1), c.stored) << c.raw;
}

TEST(NormaliseLine, StartsAfterTheLineNumber)
{
    EXPECT_EQ(normaliseLine("10 print x", 3), "PRINTX");
    EXPECT_EQ(normaliseLine("040", 4), "");
}

TEST(ParseLineNumber, ReadsDigitsAndWraps)
{
    struct Case {
        std::string text;
        int32_t value;
        int32_t posAfter;
    };
    const Case cases[] = {
        {"10PRINT", 10, 3},  {"010", 10, 4},        {"X", -1, 1},           {"", -1, 1},
        {"-5", -1, 1},       {"4294967306", 10, 11}, {"2147483648", INT32_MIN, 11},
    };
    for (const Case& c : cases) {
        Cursor cur;
        cur.point(c.text.data(), static_cast<int32_t>(c.text.size()));
        EXPECT_EQ(parseLineNumber(cur), c.value) << c.text;
        EXPECT_EQ(cur.pos, c.posAfter) << c.text;
    }
}

struct Stored {
    ProgramStore store;
    int32_t lines = 0;
    LoadResult result;
    explicit Stored(std::string_view contents) : result(storeProgram(contents, store, lines)) {}
};

TEST(StoreProgram, NumbersTextsAndIndexes)
{
    Stored s("10 print 1\n"
             "   \n"             // blanks only: an index, number 0, no map entry
             "print 2\n"         // no number: -1
             "040\n"             // number only: empty text, but a jump target
             "\t20 x=1\n"        // a tab in front: not trimmed, so no number
             "\t\n"              // a tab alone: not empty
             "010 a=2  \n");     // 010 is filed under 10 and replaces line 1
    const ProgramStore& p = s.store;
    ASSERT_EQ(s.result, LoadResult::Loaded);
    EXPECT_EQ(p.lineCount, 7);
    EXPECT_EQ(p.lineNumber[1], 10);
    EXPECT_EQ(p.lineText[1], "PRINT1");
    EXPECT_EQ(p.lineNumber[2], 0);
    EXPECT_EQ(p.lineText[2], "");
    EXPECT_EQ(p.lineNumber[3], -1);
    EXPECT_EQ(p.lineText[3], "PRINT2");
    EXPECT_EQ(p.lineNumber[4], 40);
    EXPECT_EQ(p.lineLength[4], 0);
    EXPECT_EQ(p.lineNumber[5], -1);
    EXPECT_EQ(p.lineText[5], "20X=1");
    EXPECT_EQ(p.lineNumber[6], -1);
    EXPECT_EQ(p.lineText[6], "");
    EXPECT_EQ(p.lineText[7], "A=2");
    EXPECT_EQ(p.lineLength[7], 3);

    EXPECT_EQ(p.lineIndexByNumber.find(10), 7);  // the later line wins
    EXPECT_EQ(p.lineIndexByNumber.find(40), 4);
    EXPECT_EQ(p.lineIndexByNumber.find(-1), 6);  // the last line without a number
    EXPECT_EQ(p.lineIndexByNumber.find(0), 0);   // empty lines have no entry
    EXPECT_EQ(p.lineIndexByNumber.find(20), 0);
}

TEST(StoreProgram, TwoThousandLinesLoadAndOneMoreIsRefused)
{
    std::string text;
    for (int i = 1; i <= 2000; ++i) text += std::to_string(i) + " A=" + std::to_string(i) + "\n";
    Stored full(text);
    EXPECT_EQ(full.result, LoadResult::Loaded);
    EXPECT_EQ(full.store.lineCount, 2000);
    EXPECT_EQ(full.store.lineIndexByNumber.find(2000), 2000);

    Stored over(text + "\n");  // an empty line counts as a line too
    EXPECT_EQ(over.result, LoadResult::TooManyLines);
    EXPECT_EQ(over.lines, 2001);
    EXPECT_EQ(over.store.lineCount, 0);  // nothing is stored
}

TEST(LineIndexMap, ManyKeysIncludingNegativeAndExtremeNumbers)
{
    LineIndexMap m;
    const int32_t numbers[] = {0, -1, INT32_MIN, INT32_MAX, 4096, 8192, 1, 2};
    int32_t index = 1;
    for (int32_t n : numbers) m.set(n, index++);
    for (int32_t i = 0; i < 1990; ++i) m.set(100000 + i * 4096, 100 + i);
    index = 1;
    for (int32_t n : numbers) EXPECT_EQ(m.find(n), index++) << n;
    for (int32_t i = 0; i < 1990; ++i) EXPECT_EQ(m.find(100000 + i * 4096), 100 + i);
    EXPECT_EQ(m.find(3), 0);
}

} // namespace
} // namespace atb
