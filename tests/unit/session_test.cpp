// A whole session on the fake platform: choosing the file, loading the
// slots, the message for a missing file, and the media words.
#include "basic_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace atb::test {
namespace {

std::string systemSound(int32_t slot) { return "/system/" + std::to_string(slot); }

struct Session {
    FakePlatform fake;
    SessionSetup setup;
    std::vector<std::string> notices;

    explicit Session(std::vector<std::string> args)
    {
        setup.args = std::move(args);
        setup.workingDirectory = "/work/";
        setup.systemSoundPath = &systemSound;
        runSession(fake.platform, setup);
    }
};

std::string writeProgram(const std::string& name, const std::string& text)
{
    std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(Session, LoadsEverySlotBeforeTheProgramRuns)
{
    Session s({"atbasic", writeProgram("slots.bas", "PRINT 1")});
    ASSERT_EQ(s.fake.media.calls.size(), 9u);
    EXPECT_EQ(s.fake.media.calls.front(), "load 1 /work/mov1");
    EXPECT_EQ(s.fake.media.calls.back(), "load 9 /work/mov9");
    ASSERT_EQ(s.fake.sound.calls.size(), 19u);
    EXPECT_EQ(s.fake.sound.calls[0], "load 1 /work/wav1.wav");
    EXPECT_EQ(s.fake.sound.calls[14], "load 15 /work/wav15.wav");
    EXPECT_EQ(s.fake.sound.calls[15], "load 16 /system/16");
    EXPECT_EQ(s.fake.sound.calls[18], "load 19 /system/19");
    EXPECT_EQ(s.fake.console.output, "       1\n" + timeReport());
    EXPECT_EQ(s.fake.dialogs.chooseCount, 0);
}

TEST(Session, QuotesInTheNameAreRemovedAndFurtherArgumentsIgnored)
{
    std::string path = writeProgram("quoted.bas", "PRINT 2");
    Session s({"atbasic", "\"" + path + "\"", "ignored"});
    EXPECT_EQ(s.fake.console.output, "       2\n" + timeReport());
}

TEST(Session, MissingFileOrCancelledDialogShowsTheMessage)
{
    const std::string message = "Information|該当するファイルがありません。";
    Session missing({"atbasic", testing::TempDir() + "no-such-program.bas"});
    EXPECT_EQ(missing.fake.dialogs.messages, std::vector<std::string>{message});
    EXPECT_EQ(missing.fake.console.output, "");
    EXPECT_EQ(missing.fake.console.inputCount, 0);  // no wait for Return

    Session cancelled({"atbasic"});
    EXPECT_EQ(cancelled.fake.dialogs.chooseCount, 1);
    EXPECT_EQ(cancelled.fake.dialogs.messages, std::vector<std::string>{message});
}

TEST(Session, AProgramChosenInTheDialogRuns)
{
    FakePlatform fake;
    fake.dialogs.chosenFile = writeProgram("chosen.bas", "PRINT 3");
    SessionSetup setup;
    setup.args = {"atbasic"};
    runSession(fake.platform, setup);
    EXPECT_EQ(fake.console.output, "       3\n" + timeReport());
}

TEST(Session, TooManyLinesAreRefusedWithANotice)
{
    std::string text;
    for (int i = 0; i < 2001; ++i) text += "PRINT 1\n";
    FakePlatform fake;
    SessionSetup setup;
    setup.args = {"atbasic", writeProgram("long.bas", text)};
    std::vector<std::string> seen;
    setup.notice = [&seen](const std::string& line) { seen.push_back(line); };
    runSession(fake.platform, setup);
    EXPECT_EQ(fake.console.output, "");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find("long.bas has 2001 lines"), std::string::npos);
    EXPECT_NE(seen[0].find("2000"), std::string::npos);
}

TEST(MediaWords, StartAndStopBySign)
{
    BasicRun run("A=WAV(1)+WAV(1)+WAV(-1)+BGM(2)+BGM(-2)+WAV(19)+BGM(-19)+PLAY(3)+PLAY(-3)+PLAY(9)");
    EXPECT_EQ(run.fake.sound.calls,
              (std::vector<std::string>{"channel 1 100", "channel 1 100", "stopAll 1", "loop 2 30",
                                        "stopMain 2", "channel 19 100", "stopMain 19"}));
    EXPECT_EQ(run.fake.media.calls, (std::vector<std::string>{"play 3", "stop 3", "play 9"}));
    EXPECT_EQ(run.output(), timeReport());
}

TEST(MediaWords, SlotsOutsideTheirRangeRaiseHow)
{
    for (const char* word : {"WAV(0)", "BGM(0)", "PLAY(0)", "WAV(20)", "WAV(-20)", "BGM(20)", "PLAY(10)",
                             "PLAY(-10)", "WAV(-2147483648)", "BGM(-2147483648)", "PLAY(-2147483648)",
                             "WAV(2147483647)"}) {
        BasicRun run(std::string("10 A=") + word);
        EXPECT_EQ(run.output(), errorReport("HOW?", std::string("10 A=") + word)) << word;
        EXPECT_TRUE(run.fake.sound.calls.empty() && run.fake.media.calls.empty()) << word;
    }
}

} // namespace
} // namespace atb::test
