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

MpvMediaSlots::Outputs nullOutputs()
{
    MpvMediaSlots::Outputs o;
    o.video = "null";
    o.audio = "null";
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
        EXPECT_LT(media.position(slot), 0.05) << "nothing plays before PLAY";
    }
}

TEST_F(MediaTest, PlayStartsAndReturnsAtOnce)
{
    MpvMediaSlots media(nullOutputs());
    for (int32_t slot : {1, 2}) {
        media.load(slot, dir.path("mov" + std::to_string(slot)));
        media.play(slot);
    }
    sleepMs(600);
    for (int32_t slot : {1, 2}) {
        EXPECT_FALSE(media.paused(slot)) << slot;
        EXPECT_GT(media.position(slot), 0.3) << slot;
        EXPECT_LT(media.position(slot), 1.5) << slot;
    }
}

TEST_F(MediaTest, PlayAgainRestartsFromTheBeginning)
{
    MpvMediaSlots media(nullOutputs());
    for (int32_t slot : {1, 2}) media.load(slot, dir.path("mov" + std::to_string(slot)));
    for (int32_t slot : {1, 2}) media.play(slot);
    sleepMs(900);
    for (int32_t slot : {1, 2}) {
        ASSERT_GT(media.position(slot), 0.6) << slot;
        media.play(slot);
    }
    sleepMs(150);
    for (int32_t slot : {1, 2}) {
        EXPECT_LT(media.position(slot), 0.5) << slot;
        EXPECT_FALSE(media.paused(slot)) << slot;
    }
}

TEST_F(MediaTest, StopHaltsAndRewindsAndPlayStartsOver)
{
    MpvMediaSlots media(nullOutputs());
    media.load(1, dir.path("mov1"));
    media.play(1);
    sleepMs(500);
    media.stop(1);
    sleepMs(150);
    EXPECT_TRUE(media.paused(1));
    EXPECT_LT(media.position(1), 0.05);
    sleepMs(300);
    EXPECT_LT(media.position(1), 0.05) << "a stopped slot stays put";
    media.play(1);
    sleepMs(400);
    EXPECT_GT(media.position(1), 0.2);
    EXPECT_LT(media.position(1), 1.0);
}

TEST_F(MediaTest, MediaPlaysOnceAndCanBePlayedAgainAfterItsEnd)
{
    test::writeVideo(dir.path("mov4"), 5); // half a second
    MpvMediaSlots media(nullOutputs());
    media.load(4, dir.path("mov4"));
    media.play(4);
    sleepMs(1200);
    EXPECT_TRUE(media.paused(4)) << "held at its end, not looped";
    double end = media.position(4);
    EXPECT_GT(end, 0.3);
    media.play(4);
    sleepMs(150);
    EXPECT_LT(media.position(4), end);
    EXPECT_FALSE(media.paused(4));
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
        sleepMs(500);
        EXPECT_GT(media.position(2), 0.2);
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
