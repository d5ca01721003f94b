#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/SoundService.h"

namespace bravok {

// Plays WAV files through SDL's audio subsystem; SDL's video stays untouched, wx owns the
// window.
//
// All SDL work (loading SDL itself, start-up, reading and converting files, the device)
// happens on the service's own thread, so PlayAsync only records the request and wakes that
// thread: the caller never waits for a disk or an audio device. Only the latest request
// counts: one that arrives while an older one still waits replaces it, and each request
// carried out cuts off the sound playing. Without SDL or a usable audio device the service
// is silent but still takes requests.
//
// One service at a time in a process: SDL's subsystem start-up and shut-down are not safe to
// run on two threads at once.
class SdlSoundService final : public ISoundService {
  public:
    // What the service asks the audio device for (16-bit signed samples); a real device may
    // pick another format, and every sound is converted to the one it picks.
    static constexpr int kPreferredRate = 44100;  // frames per second
    static constexpr int kPreferredChannels = 2;

    // Call once at the start of the program, before it starts any thread. SDL's audio
    // start-up connects to the desktop's session bus, and where none runs (a test machine,
    // a bare X session) the bus library forks to launch one. A fork in a process with
    // threads may leave the child waiting forever on a lock that another thread held at
    // that moment (the allocator's, under a sanitizer): a stray process for every start.
    // So when no session bus can be found, the environment says there is none; a bus
    // that runs is left to be used as before.
    static void PrepareProcess();

    SdlSoundService();
    ~SdlSoundService() override;
    SdlSoundService(const SdlSoundService&) = delete;
    SdlSoundService& operator=(const SdlSoundService&) = delete;

    // Plays the WAV file at `path` (relative to the current directory) in place of the sound
    // playing; a file that is missing or not a readable WAV plays a short built-in sound
    // instead. A null path just stops the sound playing. Returns at once, from any thread.
    void PlayAsync(const char* path) override;

  private:
    // How long the destructor waits for the service's thread. An audio system that
    // hangs (a sound server that never answers) must not hold up the game's exit.
    static constexpr std::chrono::seconds kShutdownWait{3};

    struct Request {
        bool silence = false;  // stop the sound playing and play nothing
        std::string path;
    };
    // What the caller and the service's thread share. The thread holds it too, so
    // a thread left behind at shutdown never touches freed memory.
    struct Mailbox {
        std::mutex mutex;  // guards pending and finished
        std::condition_variable_any wake;
        std::optional<Request> pending;
        bool finished = false;  // the thread has let go of SDL
        std::condition_variable finishedChanged;
    };
    // Blocks until a request is pending or a stop is requested (then: nothing).
    static std::optional<Request> WaitForRequest(Mailbox& mailbox, std::stop_token stop);
    static void Run(Mailbox& mailbox, std::stop_token stop);

    std::shared_ptr<Mailbox> m_mailbox = std::make_shared<Mailbox>();
    // Declared last: it starts after the mailbox exists.
    std::jthread m_worker;
};

}  // namespace bravok
