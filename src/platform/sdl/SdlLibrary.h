#pragma once

#include <SDL.h>

namespace bravok {

// The part of SDL 2 that the sound service uses, loaded at run time on the
// service's own thread. Linked to the program, SDL would be loaded before the
// game starts, with the twenty-odd libraries it brings for every sound server
// and file format, and would hold up the first frame by some milliseconds for
// a sound that is first heard when the player fires.
struct SdlLibrary {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_TLSCleanup) TLSCleanup;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_ClearQueuedAudio) ClearQueuedAudio;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_NewAudioStream) NewAudioStream;
    decltype(&SDL_AudioStreamPut) AudioStreamPut;
    decltype(&SDL_AudioStreamFlush) AudioStreamFlush;
    decltype(&SDL_AudioStreamAvailable) AudioStreamAvailable;
    decltype(&SDL_AudioStreamGet) AudioStreamGet;
    decltype(&SDL_FreeAudioStream) FreeAudioStream;
    decltype(&SDL_RWFromFile) RWFromFile;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;

    // SDL 2's functions, loaded on the first call and kept for the rest of the
    // process; null when the library or one of them cannot be found.
    static const SdlLibrary* Get();
};

}  // namespace bravok
