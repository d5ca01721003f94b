#include "platform/sdl/SdlLibrary.h"

#include <dlfcn.h>

namespace bravok {

namespace {

// Fills the table from the library; false when a function is missing.
bool Resolve(void* library, SdlLibrary& sdl) {
    bool complete = true;
    const auto take = [library, &complete](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        complete = complete && function != nullptr;
    };
    take(sdl.SetHint, "SDL_SetHint");
    take(sdl.InitSubSystem, "SDL_InitSubSystem");
    take(sdl.QuitSubSystem, "SDL_QuitSubSystem");
    take(sdl.TLSCleanup, "SDL_TLSCleanup");
    take(sdl.OpenAudioDevice, "SDL_OpenAudioDevice");
    take(sdl.PauseAudioDevice, "SDL_PauseAudioDevice");
    take(sdl.CloseAudioDevice, "SDL_CloseAudioDevice");
    take(sdl.ClearQueuedAudio, "SDL_ClearQueuedAudio");
    take(sdl.QueueAudio, "SDL_QueueAudio");
    take(sdl.NewAudioStream, "SDL_NewAudioStream");
    take(sdl.AudioStreamPut, "SDL_AudioStreamPut");
    take(sdl.AudioStreamFlush, "SDL_AudioStreamFlush");
    take(sdl.AudioStreamAvailable, "SDL_AudioStreamAvailable");
    take(sdl.AudioStreamGet, "SDL_AudioStreamGet");
    take(sdl.FreeAudioStream, "SDL_FreeAudioStream");
    take(sdl.RWFromFile, "SDL_RWFromFile");
    take(sdl.LoadWAV_RW, "SDL_LoadWAV_RW");
    take(sdl.FreeWAV, "SDL_FreeWAV");
    return complete;
}

const SdlLibrary* Load() {
    // Local: SDL's names stay out of the program's, and its threads and exit
    // handlers may outlive any service, so it is never unloaded.
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static SdlLibrary sdl{};
    return Resolve(library, sdl) ? &sdl : nullptr;
}

}  // namespace

const SdlLibrary* SdlLibrary::Get() {
    static const SdlLibrary* const loaded = Load();
    return loaded;
}

}  // namespace bravok
