// What a sound request costs the thread that makes it: the input worker makes one at
// every tick while Ctrl is held, with the player's lock held, so it must stay cheap
// however busy the service's own thread is with loading and converting.
//
// Plays through SDL's silent "dummy" driver unless SDL_AUDIODRIVER says otherwise.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/sdl/SdlSoundService.h"

namespace {

void PlayRepeatedly(benchmark::State& state, bravok::SdlSoundService& sound, const char* path) {
    for (auto _ : state) sound.PlayAsync(path);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    bravok::SdlSoundService sound;
    // A missing file: the service's thread falls back to its default sound each time.
    benchmark::RegisterBenchmark("PlayAsync/missing_file", PlayRepeatedly, std::ref(sound),
                                 "missing.wav")
        ->ThreadRange(1, 4);
    // A real file: the service's thread reads and converts it each time.
    benchmark::RegisterBenchmark("PlayAsync/shot", PlayRepeatedly, std::ref(sound),
                                 BRAVOK_DATA_DIR "/rifle_shot.wav")
        ->ThreadRange(1, 4);
    benchmark::RegisterBenchmark("PlayAsync/stop", PlayRepeatedly, std::ref(sound), nullptr)
        ->ThreadRange(1, 4);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
