// The real executable on a pseudo-terminal: what a user sees and what the
// terminal is left with.
#include "pty_screen.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <termios.h>
#include <thread>

using namespace atbtest;
using namespace std::chrono_literals;

namespace {

std::unique_ptr<PtyScreen> start(const TempDir& dir, const std::string& program, PtyScreen::Options o = {})
{
    dir.write("p.bas", program);
    o.directory = dir.path();
    if (o.args.empty()) o.args = {"p.bas"};
    return std::make_unique<PtyScreen>(o);
}

// Ends a run that shows its time report.
void finish(PtyScreen& s)
{
    ASSERT_TRUE(s.waitForText("Press Return To exit.")) << s.screenText();
    s.send("\r");
    ASSERT_TRUE(s.waitExit()) << s.screenText();
}

std::string readFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

} // namespace

TEST(TerminalScreen, ColThenClsPaintsEveryCellAndHomesTheCursor)
{
    TempDir dir;
    auto s = start(dir, "10 PRINT \"OLD TEXT\"\n20 A=COL(31)+CLS\n30 A=WAIT(0)\n");
    ASSERT_TRUE(s->waitFor([&] { return s->cell(24, 79).bg == 4 && s->cell(0, 0).bg == 4; })) << s->screenText();
    for (int r = 0; r < PtyScreen::Rows; ++r)
        for (int c = 0; c < PtyScreen::Cols; ++c) ASSERT_EQ(s->cell(r, c).bg, 4) << r << "," << c;
    EXPECT_EQ(s->row(0), "");
    EXPECT_EQ(s->cursorRow(), 0);
    EXPECT_EQ(s->cursorCol(), 0);
    EXPECT_EQ(s->penForeground(), 15);
    s->send(" ");
    finish(*s);
    EXPECT_EQ(s->penBackground(), -1);  // colours given back at the end
}

TEST(TerminalScreen, ColMapsAttributeBitsToTheTerminalPalette)
{
    // Attribute bit 0 is blue and bit 2 red; the palette has them the other way round.
    TempDir dir;
    auto s = start(dir,
                   "10 A=COL(1);PRINT \"B\",\n20 A=COL(4);PRINT \"R\",\n30 A=COL(6);PRINT \"Y\",\n"
                   "40 A=COL(9);PRINT \"b\",\n50 A=COL(12*16+7);PRINT \"x\",\n"
                   "60 A=COL(256)+COL(1000)+COL(-1);PRINT \"s\",\n70 A=WAIT(0)\n");
    ASSERT_TRUE(s->waitForText("BRYbxs")) << s->screenText();
    struct Case {
        int col, fg, bg;
    } cases[] = {{0, 4, 0}, {1, 1, 0}, {2, 3, 0}, {3, 12, 0}, {4, 7, 9}, {5, 7, 9}};
    for (const Case& c : cases) {
        EXPECT_EQ(s->cell(0, c.col).fg, c.fg) << c.col;
        EXPECT_EQ(s->cell(0, c.col).bg, c.bg) << c.col;
    }
    s->send(" ");
    finish(*s);
}

TEST(TerminalScreen, LocPlacesOutputAndIgnoresPositionsOffTheScreen)
{
    TempDir dir;
    auto s = start(dir,
                   "10 A=CLS+LOC(1005);PRINT \"X\",\n20 A=LOC(9999)+LOC(-5)+LOC(8000)+LOC(2425);PRINT \"Y\",\n"
                   "30 A=LOC(7924);PRINT \"C\",\n40 A=LOC(0);PRINT \"Z\",\n50 A=WAIT(0)\n");
    ASSERT_TRUE(s->waitForText("Z")) << s->screenText();
    EXPECT_EQ(s->row(5), "          XY");
    EXPECT_EQ(s->cell(24, 79).text, "C");
    EXPECT_EQ(s->row(0), "Z");
    EXPECT_EQ(s->cursorCol(), 1);
    s->send(" ");
    finish(*s);
}

TEST(TerminalScreen, PutcTabBeepAndTheControlsTheConsoleActsOn)
{
    TempDir dir;
    auto s = start(dir,
                   "10 A=CLS+PUTC(65)+TAB(3)+PUTC(66)+BEEP+TAB(0)+TAB(-3)+PUTC(0)\n"
                   "20 A=PUTC(10)+PUTC(67)+PUTC(13)+PUTC(68)+PUTC(9)+PUTC(69)+PUTC(8)+PUTC(70)\n"
                   "30 A=PUTC(10)+PUTC(27)+PUTC(91)+PUTC(50)+PUTC(74)+PUTC(7)\n40 A=WAIT(0)\n");
    ASSERT_TRUE(s->waitForText("[2J")) << s->screenText();
    EXPECT_EQ(s->row(0), "A   B");
    EXPECT_EQ(s->row(1), "D       F");
    EXPECT_EQ(s->row(2), "\xEF\xBF\xBD[2J");  // an Esc from the program is shown, not obeyed
    EXPECT_EQ(s->bells(), 2);
    s->send(" ");
    finish(*s);
}

TEST(TerminalScreen, CurhHidesAndShapesTheCursorAndTheEndShowsItAgain)
{
    TempDir dir;
    auto s = start(dir, "10 A=CURH(0)\n20 IF VKEY(49)=0 GOTO 20\n30 A=CURH(10)\n40 IF VKEY(50)=0 GOTO 40\n"
                        "50 A=CURH(1)\n60 IF VKEY(51)=0 GOTO 60\n");
    ASSERT_TRUE(s->waitFor([&] { return !s->cursorVisible(); }));
    s->send("1");
    ASSERT_TRUE(s->waitFor([&] { return s->cursorVisible() && s->cursorShape() == 1; }));
    s->send("2");
    ASSERT_TRUE(s->waitFor([&] { return s->cursorShape() == 2; }));
    s->send("3");
    finish(*s);
    EXPECT_TRUE(s->cursorVisible());
    EXPECT_EQ(s->cursorShape(), 1);  // the terminal's usual shape again
}

TEST(TerminalScreen, OutputShowsWhileTheProgramIsStillBusy)
{
    // No line end, no wait: only the periodic flush can show the text.
    TempDir dir;
    auto s = start(dir, "10 PRINT \"BUSY\",\n20 FOR I=1 TO 2000000000\n30 NEXT I\n");
    ASSERT_TRUE(s->waitForText("BUSY", 5s)) << s->screenText();
    EXPECT_FALSE(s->waitExit(0ms));
}

TEST(TerminalScreen, TextShowsInTheProgramFilesOwnEncoding)
{
    struct Case {
        const char* name;
        std::string program, row0, row1;
    } cases[] = {
        // Shift-JIS: 日本 as a literal, 日 again from two PUTCs, a lead byte without its trail.
        {"cp932", "10 PRINT \"\x93\xfa\x96\x7b\"\n20 A=PUTC(147)+PUTC(250)+PUTC(129)+PUTC(32)+PUTC(65)\n30 A=WAIT(0)\n",
         "日本", "日\xEF\xBF\xBD A"},
        {"utf8", "10 PRINT \"日本\"\n20 A=PUTC(200)+PUTC(65)\n30 A=WAIT(0)\n", "日本", "\xEF\xBF\xBD" "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        auto s = start(dir, c.program);
        ASSERT_TRUE(s->waitForText("A")) << s->screenText();
        EXPECT_EQ(s->row(0), c.row0);
        EXPECT_EQ(s->row(1), c.row1);
        s->send(" ");
        finish(*s);
    }
}

TEST(TerminalKeys, BytesAndSequencesReachVkeyAndEndWait)
{
    struct Case {
        const char* keys;
        int vk;
    } cases[] = {
        {"a", 65},       {"Q", 16},          {"7", 55},           {" ", 32},      {"\r", 13},
        {"\t", 9},       {"\x7f", 8},        {"\x1b", 27},        {"\x1b[D", 37}, {"\x1bOA", 38},
        {"\x1b[C", 39},  {"\x1b[B", 40},     {"\x1b[5~", 33},     {"\x1b[6~", 34}, {"\x1b[H", 36},
        {"\x1b[4~", 35}, {"\x1b[2~", 45},    {"\x1b[3~", 46},     {"\x1bOP", 112}, {"\x1b[15~", 116},
        {"\x1b[24~", 123}, {"\x1b[1;5C", 17}, {"\x1b" "x", 18},   {"\x1b[1;2A", 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        TempDir dir;
        auto s = start(dir, "10 A=WAIT(0)\n20 IF VKEY(" + std::to_string(c.vk) + ")=0 GOTO 20\n30 PRINT \"HIT\"\n");
        ASSERT_TRUE(s->waitFor([&] { return s->rawOutput().find("\x1b[c") != std::string::npos; }));
        std::this_thread::sleep_for(50ms);
        s->send(c.keys);
        ASSERT_TRUE(s->waitForText("HIT", 5s)) << s->screenText();
        finish(*s);
    }
}

TEST(TerminalKeys, OnlyTheKeySentIsDownAndItGoesUpAfterItsLinger)
{
    TempDir dir;
    auto s = start(dir, "10 A=WAIT(0)\n20 PRINT VKEY(65),VKEY(66)\n30 T=TIME\n40 IF VKEY(66)=1 GOTO 40\n"
                        "50 PRINT \"UP\",TIME-T>200\n");
    ASSERT_TRUE(s->waitFor([&] { return s->rawOutput().find("\x1b[c") != std::string::npos; }));
    s->send("b");
    ASSERT_TRUE(s->waitForText("UP")) << s->screenText();
    EXPECT_EQ(s->row(0), "       0       1");
    EXPECT_EQ(s->row(1), "UP       1");  // held on for a while after its one byte
    finish(*s);
}

TEST(TerminalKeys, KittyProtocolTracksPressAndRelease)
{
    TempDir dir;
    PtyScreen::Options o;
    o.kitty = true;
    auto s = start(dir, "10 IF VKEY(65)=0 GOTO 10\n20 PRINT \"DOWN\"\n30 IF VKEY(65)=1 GOTO 30\n40 PRINT \"UP\"\n",
                   o);
    ASSERT_TRUE(s->waitFor([&] { return s->rawOutput().find("\x1b[>11u") != std::string::npos; }));
    s->send("\x1b[97u");
    ASSERT_TRUE(s->waitForText("DOWN"));
    std::this_thread::sleep_for(1200ms);  // longer than any linger: held keys stay down
    s->waitFor([] { return false; }, 50ms);
    EXPECT_EQ(s->screenText().find("UP"), std::string::npos);
    s->send("\x1b[97;1:3u");
    ASSERT_TRUE(s->waitForText("UP"));
    finish(*s);
    const std::string& raw = s->rawOutput();
    EXPECT_NE(raw.find("\x1b[<u", raw.find("\x1b[>11u")), std::string::npos);
}

TEST(TerminalKeys, KeysReadWhilePollingAreNotTypedIntoInput)
{
    TempDir dir;
    auto s = start(dir, "10 IF VKEY(65)=0 GOTO 10\n20 INPUT N\n30 PRINT N*2\n");
    ASSERT_TRUE(s->waitFor([&] { return s->rawOutput().find("\x1b[c") != std::string::npos; }));
    s->send("a");
    ASSERT_TRUE(s->waitForText("N"));
    s->send("21\r");
    ASSERT_TRUE(s->waitForText("42")) << s->screenText();
    EXPECT_EQ(s->row(0), "N 21");
    finish(*s);
}

TEST(TerminalRestore, EveryWayOutGivesTheTerminalBack)
{
    struct Case {
        const char* name;
        bool kitty;
        std::string keys;
        int signal;
    } cases[] = {
        {"ctrl-c", false, "\x03", 0},        {"ctrl-c as a kitty key", true, "\x1b[99;5u", 0},
        {"SIGTERM", true, "", SIGTERM},      {"SIGHUP", false, "", SIGHUP},
        {"SIGABRT", true, "", SIGABRT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        PtyScreen::Options o;
        o.kitty = c.kitty;
        auto s = start(dir, "10 A=COL(30)+CURH(0)+CLS\n20 IF VKEY(65)=0 GOTO 20\n", o);
        ASSERT_TRUE(s->waitFor([&] { return s->cell(3, 3).bg == 4 && !s->cursorVisible(); }));
        if (c.kitty) {
            ASSERT_TRUE(s->waitFor([&] { return s->rawOutput().find("\x1b[>11u") != std::string::npos; }));
        }
        EXPECT_EQ(s->localFlags() & (ICANON | ECHO), 0u);
        if (c.signal != 0)
            ::kill(s->pid(), c.signal);
        else
            s->send(c.keys);
        ASSERT_TRUE(s->waitExit()) << s->screenText();
        EXPECT_EQ(s->localFlags(), s->startLocalFlags());
        EXPECT_TRUE(s->cursorVisible());
        EXPECT_EQ(s->penBackground(), -1);
        EXPECT_EQ(s->penForeground(), -1);
        if (c.kitty) {
            const std::string& raw = s->rawOutput();
            EXPECT_NE(raw.find("\x1b[<u", raw.rfind("\x1b[>11u")), std::string::npos);
        }
    }
}

TEST(TerminalDialog, PickerOffersTheProgramFilesAndRunsTheChoice)
{
    struct Case {
        const char* name;
        std::string keys, ran;
    } cases[] = {
        {"by number", "2\r", "RAN A"},
        {"by arrows", "\x1b[B\x1b[B\x1b[B\r", "RAN C"},
        {"arrow up from the end", "\x1b[A\r", "RAN C"},
        {"by a typed path", "sub/d.bas\r", "RAN D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("a.bas", "10 PRINT \"RAN A\"\n");
        dir.write("B.TXT", "10 PRINT \"RAN B\"\n");
        dir.write("c.Bas", "10 PRINT \"RAN C\"\n");
        dir.write("notes.doc", "10 PRINT \"RAN N\"\n");
        ::mkdir((dir.path() + "/sub").c_str(), 0755);
        dir.write("sub/d.bas", "10 PRINT \"RAN D\"\n");
        PtyScreen::Options o;
        o.directory = dir.path();
        PtyScreen s(o);
        ASSERT_TRUE(s.waitForText("ファイルを開く")) << s.screenText();
        EXPECT_TRUE(s.alternateScreen());
        std::string text = s.screenText();
        EXPECT_NE(text.find("BasicFile (*.Bas *.txt)"), std::string::npos);
        EXPECT_NE(text.find("   1  B.TXT\n   2  a.bas\n   3  c.Bas\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("notes"), std::string::npos);
        s.send(c.keys);
        ASSERT_TRUE(s.waitForText(c.ran)) << s.screenText();
        EXPECT_FALSE(s.alternateScreen());
        finish(s);
    }
}

TEST(TerminalDialog, CancelOrAMissingFileShowsTheMessageBoxOnTheAlternateScreen)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string pickerKeys;
    } cases[] = {
        {"empty answer", {}, "\r"},
        {"Esc", {}, "\x1b"},
        {"a name that does not exist", {}, "nothing.bas\r"},
        {"a missing file on the command line", {"missing.bas"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("a.bas", "10 PRINT 1\n");
        PtyScreen::Options o;
        o.directory = dir.path();
        o.args = c.args;
        PtyScreen s(o);
        if (!c.pickerKeys.empty()) {
            ASSERT_TRUE(s.waitForText("ファイルを開く"));
            s.send(c.pickerKeys);
        }
        ASSERT_TRUE(s.waitForText("該当するファイルがありません。")) << s.screenText();
        EXPECT_NE(s.screenText().find("Information"), std::string::npos);
        EXPECT_NE(s.screenText().find("[ OK ]"), std::string::npos);
        EXPECT_TRUE(s.alternateScreen());
        s.send("\r");
        ASSERT_TRUE(s.waitExit());
        EXPECT_FALSE(s.alternateScreen());
        EXPECT_EQ(s.screenText().find("Information"), std::string::npos);
        EXPECT_EQ(s.localFlags(), s.startLocalFlags());
    }
}

TEST(TerminalDialog, ZenityIsAskedWithItsTitleFilterAndFolderWhenThereIsADisplay)
{
    // A stand-in zenity records its arguments and answers as the real one does.
    struct Case {
        const char* name;
        std::string answer;  // what the file chooser prints; empty: cancelled
        std::string shown;
    } cases[] = {{"chosen", "prog.bas", "RAN Z"}, {"cancelled", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("prog.bas", "10 PRINT \"RAN Z\"\n");
        std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$PWD/zenity.log\"\n"
                             "case \"$1\" in --file-selection)";
        script += c.answer.empty() ? " exit 1;;\n" : " echo \"$PWD/" + c.answer + "\";;\n";
        script += "esac\nexit 0\n";
        dir.write("zenity", script);
        ::chmod((dir.path() + "/zenity").c_str(), 0755);
        PtyScreen::Options o;
        o.directory = dir.path();
        o.env = {"DISPLAY=:99", "PATH=" + dir.path() + ":/usr/bin:/bin"};
        PtyScreen s(o);
        if (!c.shown.empty()) {
            finish(s);
            EXPECT_NE(s.screenText().find(c.shown), std::string::npos);
        } else {
            ASSERT_TRUE(s.waitExit());
        }
        std::string expected = "--file-selection\n--title=ファイルを開く\n"
                               "--file-filter=BasicFile (*.Bas *.txt) | *.[bB][aA][sS] *.[tT][xX][tT]\n"
                               "--filename=" + dir.path() + "/\n";
        if (c.answer.empty())
            expected += "--info\n--no-markup\n--title=Information\n--text=該当するファイルがありません。\n";
        EXPECT_EQ(readFile(dir.path() + "/zenity.log"), expected);
    }
}

TEST(TerminalDialog, AZenityThatCannotReachTheDisplayGivesWayToThePicker)
{
    TempDir dir;
    dir.write("prog.bas", "10 PRINT \"RAN P\"\n");
    dir.write("zenity", "#!/bin/sh\necho \"cannot open display: :99\" >&2\nexit 1\n");
    ::chmod((dir.path() + "/zenity").c_str(), 0755);
    PtyScreen::Options o;
    o.directory = dir.path();
    o.env = {"DISPLAY=:99", "PATH=" + dir.path() + ":/usr/bin:/bin"};
    PtyScreen s(o);
    ASSERT_TRUE(s.waitForText("ファイルを開く")) << s.screenText();
    s.send("1\r");
    finish(s);
    EXPECT_NE(s.screenText().find("RAN P"), std::string::npos);
}
