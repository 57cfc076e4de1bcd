// The libmpv media slots with null video and audio outputs, on a tiny video
// and a tiny sound written by the test.
#include "media_fixtures.h"
#include "platform/mpv_media.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace atb {
namespace {

using test::TempDir;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls until the condition holds, for at most a few seconds: players run on
// their own threads and a loaded machine may keep them waiting.
// A position known and within [low, high).
bool within(double position, double low, double high) { return position >= low && position < high; }

template <typename F>
bool eventually(F condition)
{
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        sleepMs(20);
    }
    return condition();
}

MpvMediaSlots::Outputs nullOutputs()
{
    MpvMediaSlots::Outputs o;
    o.video = "null";
    o.audio = "null";
    o.openTimeoutMs = 20000; // a loaded machine may be slow to open even a tiny file
    return o;
}

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeVideo(dir.path("mov1"), 20);                      // 2 s of video, no sound
        test::writeTone(dir.path("mov2"), 2.0, 441, 8000);           // sound alone
        test::writeBytes(dir.path("mov3"), "not a movie of any kind"); // undecodable
    }

    TempDir dir;
};

TEST_F(MediaTest, SlotsOpenPausedAtTheBeginning)
{
    MpvMediaSlots media(nullOutputs());
    media.load(1, dir.path("mov1"));
    media.load(2, dir.path("mov2"));
    for (int32_t slot : {1, 2}) {
        ASSERT_TRUE(media.loaded(slot)) << slot;
        EXPECT_TRUE(media.paused(slot));
        sleepMs(200);
        EXPECT_TRUE(within(media.position(slot), 0, 0.05)) << "nothing plays before PLAY";
    }
}

TEST_F(MediaTest, PlayStartsFromTheBeginning)
{
    MpvMediaSlots media(nullOutputs());
    auto started = std::chrono::steady_clock::now();
    for (int32_t slot : {1, 2}) {
        media.load(slot, dir.path("mov" + std::to_string(slot)));
        media.play(slot);
    }
    for (int32_t slot : {1, 2}) {
        EXPECT_TRUE(eventually([&] { return media.position(slot) > 0.3; })) << slot;
        EXPECT_FALSE(media.paused(slot)) << slot;
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_LT(media.position(slot), elapsed + 0.1) << "it started ahead of its beginning";
    }
}

TEST_F(MediaTest, PlayAgainRestartsFromTheBeginning)
{
    MpvMediaSlots media(nullOutputs());
    for (int32_t slot : {1, 2}) {
        media.load(slot, dir.path("mov" + std::to_string(slot)));
        media.play(slot);
    }
    for (int32_t slot : {1, 2}) {
        ASSERT_TRUE(eventually([&] { return media.position(slot) > 0.8; })) << slot;
        media.play(slot);
        EXPECT_TRUE(eventually([&] { return within(media.position(slot), 0, 0.4); })) << slot;
        EXPECT_FALSE(media.paused(slot)) << slot;
        EXPECT_TRUE(eventually([&] { return media.position(slot) > 0.5; })) << "plays on, " << slot;
    }
}

TEST_F(MediaTest, StopHaltsAndRewindsAndPlayStartsOver)
{
    MpvMediaSlots media(nullOutputs());
    media.load(1, dir.path("mov1"));
    media.play(1);
    ASSERT_TRUE(eventually([&] { return media.position(1) > 0.4; }));
    media.stop(1);
    EXPECT_TRUE(eventually([&] { return media.paused(1) && within(media.position(1), 0, 0.05); }));
    sleepMs(300);
    EXPECT_TRUE(within(media.position(1), 0, 0.05)) << "a stopped slot stays put";
    media.play(1);
    EXPECT_TRUE(eventually([&] { return media.position(1) > 0.2; }));
    EXPECT_FALSE(media.paused(1));
}

TEST_F(MediaTest, MediaPlaysOnceAndCanBePlayedAgainAfterItsEnd)
{
    test::writeVideo(dir.path("mov4"), 5); // half a second
    MpvMediaSlots media(nullOutputs());
    media.load(4, dir.path("mov4"));
    media.play(4);
    ASSERT_TRUE(eventually([&] { return media.atEnd(4); }));
    double end = media.position(4);
    EXPECT_GT(end, 0.3);
    sleepMs(300);
    EXPECT_TRUE(media.atEnd(4)) << "held at its end, not looped";
    EXPECT_EQ(media.position(4), end);
    media.play(4);
    EXPECT_TRUE(eventually([&] { return within(media.position(4), 0, end - 0.2); }));
    EXPECT_FALSE(media.paused(4));
    EXPECT_TRUE(eventually([&] { return media.atEnd(4); })) << "and plays to its end again";
}

TEST_F(MediaTest, MissingAndUndecodableFilesLeaveSlotsEmpty)
{
    MpvMediaSlots media(nullOutputs());
    media.load(3, dir.path("mov3"));
    media.load(5, dir.path("mov5"));
    media.load(6, dir.path(""));
    for (int32_t slot : {3, 5, 6}) EXPECT_FALSE(media.loaded(slot)) << slot;
    media.load(0, dir.path("mov1"));
    media.load(10, dir.path("mov1"));
    for (int32_t slot : {3, 5, 0, 10, -1}) {
        media.play(slot);
        media.stop(slot);
        EXPECT_EQ(media.position(slot), -1);
    }
}

// Where no sound device answers, the audio goes nowhere and the slot still
// plays, with no word from the libraries on stderr.
TEST_F(MediaTest, WithoutASoundDeviceSoundStillPlaysQuietly)
{
    ::setenv("PULSE_SERVER", "unix:/nonexistent/atbasic-test", 1);
    MpvMediaSlots::Outputs o = nullOutputs();
    o.audio = "pulse,alsa";
    ::setenv("AUDIODEV", "hw:77,0", 1);
    ::testing::internal::CaptureStderr();
    {
        MpvMediaSlots media(o);
        media.load(2, dir.path("mov2"));
        ASSERT_TRUE(media.loaded(2));
        media.play(2);
        EXPECT_TRUE(eventually([&] { return media.position(2) > 0.2; }));
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ::unsetenv("PULSE_SERVER");
    ::unsetenv("AUDIODEV");
}

TEST(MediaOutputs, NoDisplayMeansNoVideoWindow)
{
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(MpvMediaSlots::defaultOutputs().video, "null");
    ::setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_EQ(MpvMediaSlots::defaultOutputs().video, "");
    ::unsetenv("WAYLAND_DISPLAY");
}

} // namespace
} // namespace atb
