// Sound slots on SDL2_mixer. Channel slot-1 is the slot's own main playback;
// one-shots take any free channel above the reserved ones, tagged with the
// slot as their group so that stopAll finds them.
//
// Opening the sound device costs a tenth of a second, so it is opened only
// for a program that has sounds: when one of its own slot files (1 to 15) is
// loaded at start-up, or when it first uses a system sound (16 to 19), whose
// file is decoded then.
#pragma once

#include "platform/platform.h"

#include <array>
#include <memory>
#include <string>

struct Mix_Chunk;

namespace atb {

struct SdlApi;

class SdlSoundSlots : public SoundSlots {
public:
    SdlSoundSlots();
    ~SdlSoundSlots() override;
    SdlSoundSlots(const SdlSoundSlots&) = delete;
    SdlSoundSlots& operator=(const SdlSoundSlots&) = delete;

    // Opens the device on the first call; false when no sound device could be
    // opened, and every slot then stays empty.
    bool start();
    bool loaded(int32_t slot);
    // How many playbacks of the slot run now, the main one included.
    int32_t playing(int32_t slot);

    void load(int32_t slot, const std::string& path) override;
    void playChannel(int32_t slot, int32_t volume) override;
    void playLoop(int32_t slot, int32_t volume) override;
    void stopAll(int32_t slot) override;
    void stopMain(int32_t slot) override;

    static constexpr int32_t Slots = 19;

private:
    Mix_Chunk* chunk(int32_t slot);
    int freeChannel();

    std::unique_ptr<SdlApi> sdl_;  // loaded by start()
    bool tried_ = false;
    bool sdlStarted_ = false;
    bool open_ = false;
    int channels_ = 0;
    std::array<Mix_Chunk*, Slots> chunks_{};
    std::array<std::string, Slots> pending_;  // system sounds not decoded yet
};

} // namespace atb
