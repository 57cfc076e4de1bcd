#include "platform/system_services.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace atb {

static int64_t steadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t SteadyClock::elapsedMs()
{
    int64_t now = steadyNowNs();
    if (!started_) {
        started_ = true;
        originNs_ = now;
    }
    return (now - originNs_) / 1000000;
}

void SteadyClock::sleepMs(int32_t ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t TimeSeededRandom::below(uint32_t bound)
{
    if (!engine_) {
        std::random_device device;
        std::seed_seq seed{static_cast<uint32_t>(steadyNowNs()),
                           static_cast<uint32_t>(steadyNowNs() >> 32), device()};
        engine_ = std::make_unique<std::mt19937>(seed);
    }
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<uint32_t>(0, bound - 1)(*engine_);
}

void StderrDialogs::messageBox(std::string_view, std::string_view text)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

} // namespace atb
