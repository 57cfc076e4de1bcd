// The SDL2_mixer sound slots, heard through SDL's disk driver: the mixed
// output lands in a raw file that is measured in 50 ms windows.
#include "media_fixtures.h"
#include "platform/sdl_sound.h"
#include "platform/system_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <thread>

namespace atb {
namespace {

using test::TempDir;

constexpr double Silent = 50;
constexpr double Audible = 1000;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
        slots = std::make_unique<SdlSoundSlots>();
        ASSERT_TRUE(slots->start());
    }

    // Lets `ms` more of output be written. The disk driver keeps pace with the
    // clock only while it gets the processor; counting what it wrote keeps
    // the steps of a test apart on a loaded machine too.
    void playFor(int ms)
    {
        std::error_code ec;
        auto size = [&] {
            uintmax_t n = std::filesystem::file_size(raw, ec);
            return ec ? uintmax_t{0} : n;
        };
        uintmax_t target = size() + static_cast<uintmax_t>(ms) * 44100 / 1000 * 4;
        for (int waited = 0; waited < 20000 && size() < target; waited += 5) sleepMs(5);
    }

    // Closes the device and gives the RMS of each 50 ms of what was played.
    std::vector<double> finish()
    {
        slots.reset();
        return test::windowRms(raw, 50);
    }

    static size_t onset(const std::vector<double>& w)
    {
        auto it = std::find_if(w.begin(), w.end(), [](double r) { return r > Audible; });
        return static_cast<size_t>(it - w.begin());
    }

    TempDir dir;
    std::string raw = dir.path("out.raw");
    std::string wav = dir.path("wav1.wav");
    std::unique_ptr<SdlSoundSlots> slots;
};

// A constant level: overlapping playbacks add up exactly, whatever their phase.
void writeLevel(const std::string& path, double seconds, int16_t level)
{
    test::writeWav(path, static_cast<int32_t>(seconds * 44100), [=](int32_t) { return level; });
}

TEST_F(SoundTest, WavPlaysOnceAtItsOwnPitchAndLevel)
{
    test::writeTone(wav, 0.3, 441, 16000);
    slots->load(1, wav);
    ASSERT_TRUE(slots->loaded(1));
    playFor(100);
    slots->playChannel(1, 100);
    EXPECT_EQ(slots->playing(1), 1);
    playFor(700);
    auto w = finish();
    size_t start = onset(w);
    ASSERT_LT(start + 12, w.size()) << "nothing was heard";
    size_t loud = static_cast<size_t>(std::count_if(w.begin(), w.end(), [](double r) { return r > Audible; }));
    EXPECT_GE(loud, 6u);
    EXPECT_LE(loud, 7u) << "a one-shot plays once";
    EXPECT_NEAR(w[start + 2], 16000 / std::sqrt(2.0), 400);
    for (size_t i = start + 8; i < w.size(); ++i) EXPECT_LT(w[i], Silent) << "window " << i;
    // 441 Hz crosses zero 882 times a second.
    int64_t from = static_cast<int64_t>(start + 1) * 2205;
    EXPECT_NEAR(test::crossingsPerSecond(raw, from, from + 4 * 2205), 882, 30);
}

TEST_F(SoundTest, BgmLoopsWithoutGapsUntilStopMain)
{
    test::writeTone(wav, 0.2, 441, 16000);
    slots->load(1, wav);
    slots->playLoop(1, 100);
    playFor(900);
    EXPECT_EQ(slots->playing(1), 1);
    slots->stopMain(1);
    EXPECT_EQ(slots->playing(1), 0);
    playFor(300);
    auto w = finish();
    size_t start = onset(w);
    ASSERT_LT(start + 16, w.size());
    // Four times the sound's length and more, with no window falling quiet.
    for (size_t i = start + 1; i < start + 16; ++i) EXPECT_GT(w[i], 10000) << "window " << i;
    for (size_t i = w.size() - 4; i < w.size(); ++i) EXPECT_LT(w[i], Silent) << "window " << i;
}

TEST_F(SoundTest, BgmAgainRestartsTheLoopFromTheBeginning)
{
    // A two-second ramp: its level tells how far into the sound the playback is.
    test::writeWav(wav, 2 * 44100, [](int32_t i) { return static_cast<int16_t>(i * 20000 / 88200); });
    slots->load(1, wav);
    slots->playLoop(1, 100);
    playFor(600);
    slots->playLoop(1, 100);
    playFor(700);
    auto w = finish();
    size_t start = onset(w);
    ASSERT_LT(start + 15, w.size());
    // The level climbs for 600 ms or more, then falls back to the ramp's
    // start and climbs again, well before the sound's own end at 2 s.
    size_t fall = start + 4;
    while (fall < w.size() && w[fall] > 2000) ++fall;
    ASSERT_LT(fall + 9, w.size()) << "the loop never restarted";
    EXPECT_GE(fall, start + 8);
    EXPECT_LE(fall, start + 34);
    EXPECT_GT(*std::max_element(w.begin() + long(start), w.begin() + long(fall)), 5000);
    EXPECT_GT(w[fall + 8], w[fall + 1] + 2000);
}

TEST_F(SoundTest, OverlappingPlaybacksAddUpAndStopAllSilencesEveryOne)
{
    writeLevel(wav, 2.0, 3000);
    slots->load(1, wav);
    slots->playLoop(1, 100);
    slots->playChannel(1, 100);
    slots->playChannel(1, 100);
    playFor(400);
    EXPECT_EQ(slots->playing(1), 3);
    slots->stopAll(1);
    EXPECT_EQ(slots->playing(1), 0);
    playFor(400);
    auto w = finish();
    EXPECT_NEAR(*std::max_element(w.begin(), w.end()), 9000, 100);
    for (size_t i = w.size() - 5; i < w.size(); ++i) EXPECT_LT(w[i], Silent) << "window " << i;
}

TEST_F(SoundTest, StopMainLeavesTheOneShotsPlaying)
{
    writeLevel(wav, 3.0, 3000);
    slots->load(1, wav);
    slots->playLoop(1, 100);
    slots->playChannel(1, 100);
    playFor(300);
    slots->stopMain(1);
    EXPECT_EQ(slots->playing(1), 1);
    playFor(300);
    auto w = finish();
    EXPECT_NEAR(*std::max_element(w.begin(), w.end()), 6000, 100);
    for (size_t i = w.size() - 3; i < w.size(); ++i) EXPECT_NEAR(w[i], 3000, 100) << "window " << i;
}

TEST_F(SoundTest, BgmVolumeThirtyIsThreeTenthsOfWavAmplitude)
{
    test::writeTone(wav, 1.0, 441, 16000);
    slots->load(1, wav);
    slots->playLoop(1, 30);
    playFor(300);
    slots->stopMain(1);
    slots->playChannel(1, 100);
    playFor(300);
    auto w = finish();
    std::vector<double> quiet, loud;
    for (double r : w) {
        if (r > 6000)
            loud.push_back(r);
        else if (r > 2000)
            quiet.push_back(r);
    }
    ASSERT_GE(quiet.size(), 3u);
    ASSERT_GE(loud.size(), 3u);
    std::sort(quiet.begin(), quiet.end());
    std::sort(loud.begin(), loud.end());
    double ratio = quiet[quiet.size() / 2] / loud[loud.size() / 2];
    EXPECT_NEAR(ratio, 0.30, 0.02); // 20*log10(0.3) = -10.5 dB
}

TEST_F(SoundTest, MissingOrUndecodableFilesLeaveSlotsEmptyAndSilent)
{
    test::writeBytes(dir.path("wav2.wav"), "RIFF....WAVEjunk that is no sound at all");
    test::writeBytes(dir.path("wav3.wav"), "");
    slots->load(1, dir.path("no-such.wav"));
    slots->load(2, dir.path("wav2.wav"));
    slots->load(3, dir.path("wav3.wav"));
    slots->load(4, dir.path("")); // a directory
    for (int32_t slot : {1, 2, 3, 4}) EXPECT_FALSE(slots->loaded(slot)) << slot;
    for (int32_t slot : {0, 1, 2, 3, 4, 20, -1}) {
        slots->playChannel(slot, 100);
        slots->playLoop(slot, 30);
        slots->stopMain(slot);
        slots->playLoop(slot, 30);
        slots->stopAll(slot);
        slots->playChannel(slot, 100);
        EXPECT_EQ(slots->playing(slot), 0) << slot;
    }
    playFor(200);
    for (double r : finish()) EXPECT_LT(r, Silent);
}

TEST_F(SoundTest, SlotsKeepTheirOwnSounds)
{
    test::writeTone(wav, 1.0, 441, 16000);
    writeLevel(dir.path("wav2.wav"), 1.0, 3000);
    slots->load(1, wav);
    slots->load(2, dir.path("wav2.wav"));
    slots->playChannel(1, 100);
    slots->playLoop(2, 100);
    slots->playChannel(2, 100);
    EXPECT_EQ(slots->playing(1), 1);
    EXPECT_EQ(slots->playing(2), 2);
    slots->stopAll(2);
    EXPECT_EQ(slots->playing(1), 1) << "stopping slot 2 leaves slot 1 alone";
    EXPECT_EQ(slots->playing(2), 0);
}

TEST_F(SoundTest, ManyOverlappingOneShotsAllPlay)
{
    writeLevel(wav, 2.0, 100);
    slots->load(1, wav);
    for (int i = 0; i < 100; ++i) slots->playChannel(1, 100);
    EXPECT_EQ(slots->playing(1), 100);
    slots->stopAll(1);
    EXPECT_EQ(slots->playing(1), 0);
}

TEST_F(SoundTest, SystemSoundsOfTheFreedesktopThemeLoad)
{
    for (int32_t slot = 16; slot <= 19; ++slot) {
        std::string path = SystemPlatform::systemSoundPath(slot);
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        slots->load(slot, path);
        EXPECT_TRUE(slots->loaded(slot)) << path;
    }
}

// A program without sounds of its own never opens the device; a system sound
// opens it when first played.
TEST(SoundDevice, OpensOnlyForAProgramThatHasSounds)
{
    TempDir dir;
    std::string raw = dir.path("out.raw");
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
        SdlSoundSlots slots;
        slots.load(1, dir.path("wav1.wav"));  // missing
        slots.load(16, SystemPlatform::systemSoundPath(16));
        EXPECT_FALSE(std::filesystem::exists(raw));
        slots.playChannel(16, 100);
        EXPECT_TRUE(std::filesystem::exists(raw));
        EXPECT_EQ(slots.playing(16), 1);
    }
    std::filesystem::remove(raw);
    test::writeTone(dir.path("wav2.wav"), 0.1, 441, 16000);
    {
        SdlSoundSlots slots;
        slots.load(2, dir.path("wav2.wav"));  // the program's own sound: opened at once
        EXPECT_TRUE(std::filesystem::exists(raw));
        EXPECT_TRUE(slots.loaded(2));
    }
}

// No device at all: a driver that opens nothing. Everything stays silent,
// and ALSA's complaints about the missing card never reach stderr.
TEST(SoundWithoutDevice, EverythingIsQuietlyEmpty)
{
    TempDir dir;
    test::writeTone(dir.path("wav1.wav"), 0.1, 441, 16000);
    ::setenv("SDL_AUDIODRIVER", "alsa", 1);
    ::setenv("AUDIODEV", "hw:77,0", 1);
    ::testing::internal::CaptureStderr();
    {
        SdlSoundSlots slots;
        EXPECT_FALSE(slots.start());
        slots.load(1, dir.path("wav1.wav"));
        EXPECT_FALSE(slots.loaded(1));
        slots.playChannel(1, 100);
        slots.playLoop(1, 30);
        slots.stopAll(1);
        slots.stopMain(1);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ::unsetenv("AUDIODEV");
}

} // namespace
} // namespace atb
