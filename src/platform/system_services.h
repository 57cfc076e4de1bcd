// The plain services every backend shares: a steady clock, a time-seeded
// random source, and silent sound and media for where none can be had.
#pragma once

#include "platform/platform.h"

#include <memory>
#include <random>

namespace atb {

class SteadyClock : public Clock {
public:
    int64_t elapsedMs() override;
    void sleepMs(int32_t ms) override;

private:
    bool started_ = false;
    int64_t originNs_ = 0;
};

class TimeSeededRandom : public RandomSource {
public:
    uint32_t below(uint32_t bound) override;

private:
    std::unique_ptr<std::mt19937> engine_; // made at first use
};

class SilentSound : public SoundSlots {
public:
    void load(int32_t, const std::string&) override {}
    void playChannel(int32_t, int32_t) override {}
    void playLoop(int32_t, int32_t) override {}
    void stopAll(int32_t) override {}
    void stopMain(int32_t) override {}
};

class SilentMedia : public MediaSlots {
public:
    void load(int32_t, const std::string&) override {}
    void play(int32_t) override {}
    void stop(int32_t) override {}
};

// No dialog: nothing is offered, and a message goes to stderr as one line.
class StderrDialogs : public Dialogs {
public:
    std::string chooseProgramFile() override { return {}; }
    void messageBox(std::string_view title, std::string_view text) override;
};

} // namespace atb
