#include "platform/sdl_sound.h"

#include "platform/quiet_libraries.h"

#include "platform/sdl_api.h"

#include <unistd.h>

namespace atb {

namespace {

constexpr int FirstChannels = 64;
constexpr int MostChannels = 1024;

void ignoreSdlLog(void*, int, SDL_LogPriority, const char*) {}

// A volume in percent is an amplitude of v/100 (20*log10(v/100) dB).
int mixerVolume(int32_t percent)
{
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    return (percent * MIX_MAX_VOLUME + 50) / 100;
}

bool validSlot(int32_t slot) { return slot >= 1 && slot <= SdlSoundSlots::Slots; }

} // namespace

constexpr int32_t FirstSystemSlot = 16;

SdlSoundSlots::SdlSoundSlots() = default;

bool SdlSoundSlots::start()
{
    if (tried_) return open_;
    tried_ = true;
    sdl_ = SdlApi::load();
    if (!sdl_) return false;
    silenceAlsa();
    sdl_->logSetOutputFunction(&ignoreSdlLog, nullptr);
    StderrMuffle quiet;
    if (sdl_->initSubSystem(SDL_INIT_AUDIO) != 0) return false;
    sdlStarted_ = true;
    sdl_->mixInit(MIX_INIT_OGG);
    if (sdl_->openAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) return false;
    open_ = true;
    channels_ = sdl_->allocateChannels(FirstChannels);
    sdl_->reserveChannels(Slots);
    return true;
}

SdlSoundSlots::~SdlSoundSlots()
{
    if (!sdlStarted_) return;
    StderrMuffle quiet;
    if (open_) {
        sdl_->haltChannel(-1);
        for (Mix_Chunk*& c : chunks_) {
            if (c != nullptr) sdl_->freeChunk(c);
            c = nullptr;
        }
        sdl_->closeAudio();
    }
    if (sdlStarted_) {
        sdl_->mixQuit();
        sdl_->quitSubSystem(SDL_INIT_AUDIO);
        sdl_->quit();
    }
}

Mix_Chunk* SdlSoundSlots::chunk(int32_t slot)
{
    if (!validSlot(slot)) return nullptr;
    size_t i = static_cast<size_t>(slot - 1);
    if (!pending_[i].empty()) {
        std::string path = std::move(pending_[i]);
        pending_[i].clear();
        if (start()) chunks_[i] = sdl_->loadWavRw(sdl_->rwFromFile(path.c_str(), "rb"), 1);
    }
    return open_ ? chunks_[i] : nullptr;
}

bool SdlSoundSlots::loaded(int32_t slot) { return chunk(slot) != nullptr; }

int32_t SdlSoundSlots::playing(int32_t slot)
{
    if (chunk(slot) == nullptr) return 0;
    int32_t count = sdl_->playing(slot - 1) ? 1 : 0;
    for (int ch = Slots; ch < channels_; ++ch)
        if (sdl_->playing(ch) && sdl_->getChunk(ch) == chunk(slot)) ++count;
    return count;
}

void SdlSoundSlots::load(int32_t slot, const std::string& path)
{
    if (!validSlot(slot)) return;
    // A missing file leaves the slot empty without opening anything.
    if (::access(path.c_str(), R_OK) != 0) return;
    if (slot >= FirstSystemSlot && !tried_) {
        pending_[static_cast<size_t>(slot - 1)] = path;
        return;
    }
    if (!start()) return;
    Mix_Chunk*& c = chunks_[static_cast<size_t>(slot - 1)];
    if (c != nullptr) {
        sdl_->haltChannel(slot - 1);
        sdl_->haltGroup(slot);
        sdl_->freeChunk(c);
    }
    c = sdl_->loadWavRw(sdl_->rwFromFile(path.c_str(), "rb"), 1);
}

// A channel above the reserved ones that plays nothing; more are made when
// every one is busy, so one-shots never cut each other off.
int SdlSoundSlots::freeChannel()
{
    for (int ch = Slots; ch < channels_; ++ch)
        if (!sdl_->playing(ch)) return ch;
    if (channels_ >= MostChannels) return -1;
    int wanted = channels_ * 2 > MostChannels ? MostChannels : channels_ * 2;
    int first = channels_;
    channels_ = sdl_->allocateChannels(wanted);
    return channels_ > first ? first : -1;
}

void SdlSoundSlots::playChannel(int32_t slot, int32_t volume)
{
    Mix_Chunk* c = chunk(slot);
    if (c == nullptr) return;
    int ch = freeChannel();
    if (ch < 0) return;
    // The channel is idle, so its volume and tag are set before it sounds.
    sdl_->volume(ch, mixerVolume(volume));
    sdl_->groupChannel(ch, slot);
    sdl_->playChannelTimed(ch, c, 0, -1);
}

void SdlSoundSlots::playLoop(int32_t slot, int32_t volume)
{
    Mix_Chunk* c = chunk(slot);
    if (c == nullptr) return;
    sdl_->haltChannel(slot - 1);
    sdl_->volume(slot - 1, mixerVolume(volume));
    sdl_->playChannelTimed(slot - 1, c, -1, -1);
}

void SdlSoundSlots::stopAll(int32_t slot)
{
    if (chunk(slot) == nullptr) return;
    sdl_->haltChannel(slot - 1);
    sdl_->haltGroup(slot);
}

void SdlSoundSlots::stopMain(int32_t slot)
{
    if (chunk(slot) == nullptr) return;
    sdl_->haltChannel(slot - 1);
}

} // namespace atb
