// Sound slots on SDL2_mixer. Channel slot-1 is the slot's own main playback;
// one-shots take any free channel above the reserved ones, tagged with the
// slot as their group so that stopAll finds them.
#pragma once

#include "platform/platform.h"

#include <array>

struct Mix_Chunk;

namespace atb {

class SdlSoundSlots : public SoundSlots {
public:
    SdlSoundSlots();
    ~SdlSoundSlots() override;
    SdlSoundSlots(const SdlSoundSlots&) = delete;
    SdlSoundSlots& operator=(const SdlSoundSlots&) = delete;

    // False when no sound device could be opened: every slot stays empty.
    bool open() const { return open_; }
    bool loaded(int32_t slot) const;
    // How many playbacks of the slot run now, the main one included.
    int32_t playing(int32_t slot) const;

    void load(int32_t slot, const std::string& path) override;
    void playChannel(int32_t slot, int32_t volume) override;
    void playLoop(int32_t slot, int32_t volume) override;
    void stopAll(int32_t slot) override;
    void stopMain(int32_t slot) override;

    static constexpr int32_t Slots = 19;

private:
    Mix_Chunk* chunk(int32_t slot) const;
    int freeChannel();

    bool sdlStarted_ = false;
    bool open_ = false;
    int channels_ = 0;
    std::array<Mix_Chunk*, Slots> chunks_{};
};

} // namespace atb
