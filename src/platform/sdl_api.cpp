#include "platform/sdl_api.h"

#include "platform/dl_symbols.h"

namespace atb {

std::unique_ptr<SdlApi> SdlApi::load()
{
    // The mixer brings SDL itself in as its dependency.
    void* mixer = openLibrary({"libSDL2_mixer-2.0.so.0", "libSDL2_mixer.so"});
    void* sdl = openLibrary({"libSDL2-2.0.so.0", "libSDL2.so"});
    auto api = std::make_unique<SdlApi>();
    bool ok = mixer != nullptr && sdl != nullptr &&
              findSymbol(sdl, "SDL_InitSubSystem", api->initSubSystem) &&
              findSymbol(sdl, "SDL_QuitSubSystem", api->quitSubSystem) &&
              findSymbol(sdl, "SDL_Quit", api->quit) &&
              findSymbol(sdl, "SDL_LogSetOutputFunction", api->logSetOutputFunction) &&
              findSymbol(sdl, "SDL_RWFromFile", api->rwFromFile) &&
              findSymbol(mixer, "Mix_Init", api->mixInit) &&
              findSymbol(mixer, "Mix_Quit", api->mixQuit) &&
              findSymbol(mixer, "Mix_OpenAudio", api->openAudio) &&
              findSymbol(mixer, "Mix_CloseAudio", api->closeAudio) &&
              findSymbol(mixer, "Mix_AllocateChannels", api->allocateChannels) &&
              findSymbol(mixer, "Mix_ReserveChannels", api->reserveChannels) &&
              findSymbol(mixer, "Mix_LoadWAV_RW", api->loadWavRw) &&
              findSymbol(mixer, "Mix_FreeChunk", api->freeChunk) &&
              findSymbol(mixer, "Mix_PlayChannelTimed", api->playChannelTimed) &&
              findSymbol(mixer, "Mix_HaltChannel", api->haltChannel) &&
              findSymbol(mixer, "Mix_HaltGroup", api->haltGroup) &&
              findSymbol(mixer, "Mix_Playing", api->playing) &&
              findSymbol(mixer, "Mix_GetChunk", api->getChunk) &&
              findSymbol(mixer, "Mix_Volume", api->volume) &&
              findSymbol(mixer, "Mix_GroupChannel", api->groupChannel);
    if (mixer != nullptr) ::dlclose(mixer);
    if (sdl != nullptr) ::dlclose(sdl);
    return ok ? std::move(api) : nullptr;
}

} // namespace atb
