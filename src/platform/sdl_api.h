// SDL2 and SDL2_mixer, reached through dlopen: linking them pulls in some
// seventy libraries, which would slow every start-up and fill memory even
// for programs that play no sound.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <memory>

namespace atb {

struct SdlApi {
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_Quit) quit;
    decltype(&SDL_LogSetOutputFunction) logSetOutputFunction;
    decltype(&SDL_RWFromFile) rwFromFile;
    decltype(&Mix_Init) mixInit;
    decltype(&Mix_Quit) mixQuit;
    decltype(&Mix_OpenAudio) openAudio;
    decltype(&Mix_CloseAudio) closeAudio;
    decltype(&Mix_AllocateChannels) allocateChannels;
    decltype(&Mix_ReserveChannels) reserveChannels;
    decltype(&Mix_LoadWAV_RW) loadWavRw;
    decltype(&Mix_FreeChunk) freeChunk;
    decltype(&Mix_PlayChannelTimed) playChannelTimed;
    decltype(&Mix_HaltChannel) haltChannel;
    decltype(&Mix_HaltGroup) haltGroup;
    decltype(&Mix_Playing) playing;
    decltype(&Mix_GetChunk) getChunk;
    decltype(&Mix_Volume) volume;
    decltype(&Mix_GroupChannel) groupChannel;

    // The libraries' functions, or null when they are not installed.
    static std::unique_ptr<SdlApi> load();
};

} // namespace atb
