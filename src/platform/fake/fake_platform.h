// Fakes of every service, for tests: they record what the interpreter asked
// of them and answer from scripts the test sets up.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace atb {

class FakeConsole : public Console {
public:
    std::string output;                  // every byte printed, CR LF of printLine included
    std::deque<std::string> typedLines;  // what inputLine gives; "" once they run out
    std::vector<std::string> calls;      // screen control, as "clear", "locate 10 5", ...
    int inputCount = 0;

    void print(std::string_view bytes) override { output.append(bytes); }
    void printLine(std::string_view bytes) override
    {
        output.append(bytes);
        output += "\r\n";
    }
    std::string inputLine() override;
    void clear() override { calls.push_back("clear"); }
    void locate(int32_t column, int32_t row) override;
    void setColor(int32_t foreground, int32_t background) override;
    void setCursorHeight(int32_t tenths) override;
    void setDirectMode(bool on) override { calls.push_back(on ? "direct on" : "direct off"); }
    void flush() override {}
};

class FakeKeyboard : public Keyboard {
public:
    std::set<int32_t> down;   // scan codes held down
    bool failing = false;     // snapshots fail: every key reads up
    bool noMoreKeys = false;  // as piped input at its end
    int examineCount = 0;
    // Keys that go down once this many snapshots have been taken.
    int pressAfterExamines = -1;
    int32_t pressScanCode = 0;

    bool examine() override;
    bool isPushed(int32_t scanCode) override { return !failing && down.count(scanCode) != 0; }
    bool isAnyPushed() override;
    bool exhausted() override { return noMoreKeys; }
};

// Time moves only when the program sleeps or the test says so.
class FakeClock : public Clock {
public:
    int64_t now = 0;
    std::vector<int32_t> sleeps;
    int64_t elapsedMs() override { return now; }
    void sleepMs(int32_t ms) override
    {
        sleeps.push_back(ms);
        now += ms;
    }
};

// A fixed seed, so a test can predict every draw with the same engine.
class FakeRandom : public RandomSource {
public:
    explicit FakeRandom(uint32_t seed = 12345) : engine(seed) {}
    std::vector<uint32_t> bounds;  // the bound of every draw
    std::mt19937 engine;
    uint32_t below(uint32_t bound) override
    {
        bounds.push_back(bound);
        return bound <= 1 ? 0 : std::uniform_int_distribution<uint32_t>(0, bound - 1)(engine);
    }
};

class FakeSound : public SoundSlots {
public:
    std::vector<std::string> calls;  // "load 3 /dir/wav3.wav", "channel 1 100", "loop 2 30", "stopAll 1", "stopMain 2"
    void load(int32_t slot, const std::string& path) override;
    void playChannel(int32_t slot, int32_t volume) override;
    void playLoop(int32_t slot, int32_t volume) override;
    void stopAll(int32_t slot) override;
    void stopMain(int32_t slot) override;
};

class FakeMedia : public MediaSlots {
public:
    std::vector<std::string> calls;  // "load 1 /dir/mov1", "play 1", "stop 1"
    void load(int32_t slot, const std::string& path) override;
    void play(int32_t slot) override;
    void stop(int32_t slot) override;
};

class FakeDialogs : public Dialogs {
public:
    std::string chosenFile;          // what the open dialog gives
    int chooseCount = 0;
    std::vector<std::string> messages;  // "title|text"
    std::string chooseProgramFile() override
    {
        ++chooseCount;
        return chosenFile;
    }
    void messageBox(std::string_view title, std::string_view text) override
    {
        messages.push_back(std::string(title) + "|" + std::string(text));
    }
};

// A whole fake platform in one object.
struct FakePlatform {
    FakeConsole console;
    FakeKeyboard keyboard;
    FakeClock clock;
    FakeRandom random;
    FakeSound sound;
    FakeMedia media;
    FakeDialogs dialogs;
    Platform platform{console, keyboard, clock, random, sound, media, dialogs};
};

} // namespace atb
