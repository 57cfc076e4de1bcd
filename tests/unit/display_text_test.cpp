// Program bytes to what a UTF-8 terminal is sent.
#include "platform/display_text.h"

#include <gtest/gtest.h>
#include <vector>

using atb::DisplayText;

namespace {

const std::string Bad = "\xEF\xBF\xBD";  // U+FFFD

// Converts the pieces one write after another.
std::string show(bool cp932, const std::vector<std::string>& writes)
{
    DisplayText t;
    t.setCp932(cp932);
    std::string out;
    for (const std::string& w : writes) t.convert(w, out);
    return out;
}

} // namespace

TEST(DisplayText, DecidesUtf8ForTheWholeFile)
{
    EXPECT_TRUE(DisplayText::isUtf8(""));
    EXPECT_TRUE(DisplayText::isUtf8("10 PRINT \"日本\"\r\n"));
    EXPECT_FALSE(DisplayText::isUtf8("10 PRINT \"\x93\xfa\x96\x7b\""));  // Shift-JIS
    EXPECT_FALSE(DisplayText::isUtf8("\xE6\x97"));                     // cut short at the end
    EXPECT_FALSE(DisplayText::isUtf8("\xC0\x80"));                     // overlong
    EXPECT_FALSE(DisplayText::isUtf8("\xED\xA0\x80"));                 // a surrogate
}

TEST(DisplayText, ControlsActAndOthersShowAsReplacement)
{
    for (bool cp932 : {false, true}) {
        SCOPED_TRACE(cp932);
        EXPECT_EQ(show(cp932, {"a\nb"}), "a\r\nb");  // a line feed starts at column 0
        EXPECT_EQ(show(cp932, {"\a\b\t\r"}), "\a\b\t\r");
        EXPECT_EQ(show(cp932, {std::string("x\0y", 3)}), "xy");
        EXPECT_EQ(show(cp932, {"\x1b[2J"}), Bad + "[2J");
        EXPECT_EQ(show(cp932, {"\x7f\x01"}), Bad + Bad);
        EXPECT_EQ(show(cp932, {"\\~"}), "\\~");
    }
}

TEST(DisplayText, Utf8PassesAndBrokenSequencesAreReplaced)
{
    struct Case {
        std::vector<std::string> writes;
        std::string shown;
    } cases[] = {
        {{"日本"}, "日本"},
        {{"\xE6", "\x97", "\xA5"}, "日"},              // one character over three writes
        {{"\xE6\x97", "A"}, Bad + "A"},               // cut short: the byte after still shows
        {{"\xC8" "A"}, Bad + "A"},                    // PUTC(200) then A
        {{"\xFF\x80"}, Bad + Bad},
        {{"\xC2\x9B" "2J"}, Bad + "2J"},              // a C1 control is not obeyed
        {{"\xE6\x97\n"}, Bad + "\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(show(false, c.writes), c.shown);
}

TEST(DisplayText, Cp932ConvertsPairsEvenAcrossWrites)
{
    struct Case {
        std::vector<std::string> writes;
        std::string shown;
    } cases[] = {
        {{"\x93\xfa\x96\x7b"}, "日本"},
        {{"\x93", "\xfa"}, "日"},                   // PUTC(147) then PUTC(250)
        {{"\x95\x5c"}, "表"},                       // a trail byte that is also a backslash
        {{"\xb1\xb2"}, "ｱｲ"},                       // half-width katakana, one byte each
        {{"\x81 A"}, Bad + " A"},                   // a lead byte without its trail
        {{"\x81\n"}, Bad + "\r\n"},
        {{"\x87\x40"}, "①"},                       // an NEC row, which plain Shift-JIS lacks
        {{"\xEB\x40"}, Bad},                        // a pair with no character
        {{"\xa0"}, Bad},
    };
    for (const Case& c : cases) EXPECT_EQ(show(true, c.writes), c.shown);
}
