// Media slots on libmpv: one player per slot whose file exists, opened
// paused at the beginning. Nothing here waits for playback.
#pragma once

#include "platform/platform.h"

#include <array>
#include <memory>
#include <string>

struct mpv_handle;

namespace atb {

struct MpvApi;

class MpvMediaSlots : public MediaSlots {
public:
    struct Outputs {
        std::string video; // "" for mpv's own choice
        std::string audio;
        int openTimeoutMs = 2000; // for each file
    };
    // Outputs for this machine: no video window without a display.
    static Outputs defaultOutputs();

    explicit MpvMediaSlots(Outputs outputs = defaultOutputs());
    ~MpvMediaSlots() override;
    MpvMediaSlots(const MpvMediaSlots&) = delete;
    MpvMediaSlots& operator=(const MpvMediaSlots&) = delete;

    bool loaded(int32_t slot) const;
    // Playback position in seconds, or -1 for an empty slot or while unknown.
    double position(int32_t slot);
    bool paused(int32_t slot);
    bool atEnd(int32_t slot);

    void load(int32_t slot, const std::string& path) override;
    void play(int32_t slot) override;
    void stop(int32_t slot) override;

    static constexpr int32_t Slots = 9;

private:
    mpv_handle* player(int32_t slot) const;
    bool flag(int32_t slot, const char* name);
    void drain(mpv_handle* h);
    bool waitLoaded(mpv_handle* h);
    void seekToStart(mpv_handle* h);
    void setAsync(mpv_handle* h, const char* name, const char* value);

    Outputs outputs_;
    std::unique_ptr<MpvApi> api_; // loaded with the first file that exists
    bool apiTried_ = false;
    std::array<mpv_handle*, Slots> players_{};
};

} // namespace atb
