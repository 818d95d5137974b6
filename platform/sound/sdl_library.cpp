#include "sdl_library.h"

#include <dlfcn.h>

#include <memory>

namespace {

template <typename F> bool resolve(void* handle, const char* name, F& function) {
    function = reinterpret_cast<F>(::dlsym(handle, name));
    return function != nullptr;
}

std::unique_ptr<SdlLibrary> load() {
    // The mixer brings SDL itself as its dependency, so both sets of names resolve through its handle.
    void* handle = ::dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    auto lib = std::make_unique<SdlLibrary>();
    const bool complete =
        resolve(handle, "SDL_SetHint", lib->setHint) && resolve(handle, "SDL_InitSubSystem", lib->initSubSystem) &&
        resolve(handle, "SDL_QuitSubSystem", lib->quitSubSystem) &&
        resolve(handle, "SDL_RWFromFile", lib->rwFromFile) &&
        resolve(handle, "SDL_RWFromConstMem", lib->rwFromConstMem) && resolve(handle, "Mix_Init", lib->init) &&
        resolve(handle, "Mix_Quit", lib->quit) && resolve(handle, "Mix_OpenAudio", lib->openAudio) &&
        resolve(handle, "Mix_CloseAudio", lib->closeAudio) && resolve(handle, "Mix_LoadWAV_RW", lib->loadWavRw) &&
        resolve(handle, "Mix_LoadMUSType_RW", lib->loadMusTypeRw) && resolve(handle, "Mix_FreeChunk", lib->freeChunk) &&
        resolve(handle, "Mix_FreeMusic", lib->freeMusic) &&
        resolve(handle, "Mix_PlayChannelTimed", lib->playChannelTimed) &&
        resolve(handle, "Mix_PlayMusic", lib->playMusic) && resolve(handle, "Mix_HaltChannel", lib->haltChannel) &&
        resolve(handle, "Mix_HaltMusic", lib->haltMusic) && resolve(handle, "Mix_Playing", lib->playingChannels) &&
        resolve(handle, "Mix_PlayingMusic", lib->playingMusic);
    if (!complete) return nullptr; // the handle stays: a library half found is not closed under SDL's feet
    return lib;
}

} // namespace

const SdlLibrary* SdlLibrary::get() {
    static const std::unique_ptr<SdlLibrary> library = load();
    return library.get();
}
