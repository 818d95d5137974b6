#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

// SDL2_mixer, loaded on the first sound rather than at start: the mixer pulls in some forty decoder and
// sound-server libraries, and a strip that never rings should not carry them. The functions the player
// uses, looked up once.
struct SdlLibrary {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_RWFromFile) rwFromFile;
    decltype(&SDL_RWFromConstMem) rwFromConstMem;
    decltype(&Mix_Init) init;
    decltype(&Mix_Quit) quit;
    decltype(&Mix_OpenAudio) openAudio;
    decltype(&Mix_CloseAudio) closeAudio;
    decltype(&Mix_LoadWAV_RW) loadWavRw;
    decltype(&Mix_LoadMUSType_RW) loadMusTypeRw;
    decltype(&Mix_FreeChunk) freeChunk;
    decltype(&Mix_FreeMusic) freeMusic;
    decltype(&Mix_PlayChannelTimed) playChannelTimed;
    decltype(&Mix_PlayMusic) playMusic;
    decltype(&Mix_HaltChannel) haltChannel;
    decltype(&Mix_HaltMusic) haltMusic;
    decltype(&Mix_Playing) playingChannels;
    decltype(&Mix_PlayingMusic) playingMusic;

    // The library, loaded on the first call; null when it or one of its functions cannot be found, and
    // then on every later call too. Never unloaded: SDL's threads may outlive any owner.
    static const SdlLibrary* get();
};
