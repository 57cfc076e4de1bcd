// Expressions: precedence, wrapping arithmetic, relations, @ cells, and where
// the cursor stands when one fails.
#include "basic_run.h"

#include <gtest/gtest.h>

namespace atb::test {
namespace {

// The value the expression gives as the value of an assignment.
int32_t valueOf(const std::string& expression, const std::string& setup = "")
{
    BasicRun run(setup + "\n10 Q=" + expression);
    EXPECT_EQ(run.output(), timeReport()) << expression;
    return run.in->variables['Q' - 64];
}

TEST(Expressions, Values)
{
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"7/2*2", 6},
        {"2-3-4", -5},
        {"-7/2", -3},
        {"-7%2", -1},
        {"7%(-2)", 1},
        {"(-7)%2", -1},
        {"-2147483648/2", 1073741824},  // the sign takes the whole first term
        {"2147483647+1", INT32_MIN},
        {"65536*65536", 0},
        {"-2*3", -6},
        {"+5", 5},
        {"2147483648", INT32_MIN},
        {"4294967296", 0},
        {"4294967301", 5},
        {"-2147483648", INT32_MIN},      // the negation of -2147483648 is itself
        {"(-2147483647-1)/(-1)", INT32_MIN},
        {"(-2147483647-1)%(-1)", 0},
        {"5>3", 1},
        {"3>5", 0},
        {"(5>3)+(2>1)", 2},
        {"5>=5", 1},
        {"4<=3", 0},
        {"4<>3", 1},
        {"4#4", 0},
        {"4=4", 1},
        {"-1<0", 1},                      // comparisons are signed
        {"(2147483647+1)<0", 1},
        {"@((1>0))", 0},
        {"123", 123},
        {"((((((((((1))))))))))", 1},
        {"2*(3+4)%5", 4},
        {"10-2-3+1", 6},
        {"A.(-5)+AB.(-5)+ABS(-5)", 15},
    };
    for (const Case& c : cases) EXPECT_EQ(valueOf(c.text), c.value) << c.text;
}

TEST(Expressions, VariablesAndCells)
{
    EXPECT_EQ(valueOf("A*B-@(4095)", "A=6:B=7:@(4095)=2"), 40);
    EXPECT_EQ(valueOf("A<B", "A=-1:B=1"), 1);
    EXPECT_EQ(valueOf("@(A+1)", "A=2:@(3)=9"), 9);
}

TEST(Expressions, EqualsAndAssignmentValue)
{
    BasicRun run("B=3:C=3:A=B=C:D=B=4");
    EXPECT_EQ(run.in->variables[1], 1);
    EXPECT_EQ(run.in->variables[4], 0);
}

TEST(Expressions, ErrorsShowTheLineUpToTheCursor)
{
    struct Case {
        std::string line;
        std::string report;
    };
    const Case cases[] = {
        {"10 A=1/0", errorReport("HOW?", "10 A=1/0")},
        {"10 A=1%(2-2)+5", errorReport("HOW?", "10 A=1%(2-2)")},
        {"10 A=7%-2", errorReport("WHAT?", "10 A=7%")},
        {"10 A=B--C", errorReport("WHAT?", "10 A=B-")},
        {"10 A=B*-C", errorReport("WHAT?", "10 A=B*")},
        {"10 A=--B", errorReport("WHAT?", "10 A=-")},
        {"10 A=B=>C", errorReport("WHAT?", "10 A=B=")},
        {"10 A=(1<2<3)", errorReport("WHAT?", "10 A=(1<2")},
        {"10 A=@(1>0)", errorReport("WHAT?", "10 A=@(1")},
        {"10 A=@(4096)", errorReport("HOW?", "10 A=@(4096)")},
        {"10 A=@(-1)+1", errorReport("HOW?", "10 A=@(-1)")},
        {"10 A=@1", errorReport("WHAT?", "10 A=@")},
        {"10 A=(1", errorReport("WHAT?", "10 A=(1")},
        {"10 A=", errorReport("WHAT?", "10 A=")},
        {"10 A=;B=1", errorReport("WHAT?", "10 A=")},
        {"10 A=1.5", errorReport("WHAT?", "10 A=1.")},    // "." runs as NEXT, which finds no letter
        {"10 A=\"X\"", errorReport("WHAT?", "10 A=")},
    };
    for (const Case& c : cases) {
        BasicRun run(c.line);
        EXPECT_EQ(run.output(), c.report) << c.line;
    }
}

// Deep nesting ends the run with SORRY instead of exhausting the stack.
TEST(Expressions, NestingIsBounded)
{
    std::string ok = "10 A=" + std::string(400, '(') + "1" + std::string(400, ')');
    BasicRun fine(ok);
    EXPECT_EQ(fine.output(), timeReport());
    EXPECT_EQ(fine.in->variables[1], 1);

    std::string deep = "10 A=" + std::string(100000, '(') + "1" + std::string(100000, ')');
    BasicRun sorry(deep);
    EXPECT_EQ(sorry.output().substr(0, 7), "SORRY\r\n");

    std::string words = "10 A=";
    for (int i = 0; i < 2000; ++i) words += "ABS(";
    words += "1" + std::string(2000, ')');
    BasicRun sorryWords(words);
    EXPECT_EQ(sorryWords.output().substr(0, 7), "SORRY\r\n");

    std::string cells = "10 A=";
    for (int i = 0; i < 2000; ++i) cells += "@(";
    cells += "0" + std::string(2000, ')');
    BasicRun sorryCells(cells);
    EXPECT_EQ(sorryCells.output().substr(0, 7), "SORRY\r\n");
}

} // namespace
} // namespace atb::test
