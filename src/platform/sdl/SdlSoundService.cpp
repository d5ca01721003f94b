#include "platform/sdl/SdlSoundService.h"

#include "platform/sdl/SdlLibrary.h"

#include <SDL.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <utility>
#include <vector>

namespace bravok {
namespace {

// Raw sample bytes in the format of some SDL_AudioSpec.
using Samples = std::vector<Uint8>;

// SDL keeps data per thread (the last error message, for one) and frees it by itself only on
// the threads it started; the service's thread is not one of them.
class SdlThreadData {
  public:
    explicit SdlThreadData(const SdlLibrary& sdl) : m_sdl(sdl) {}
    ~SdlThreadData() { m_sdl.TLSCleanup(); }
    SdlThreadData(const SdlThreadData&) = delete;
    SdlThreadData& operator=(const SdlThreadData&) = delete;

  private:
    const SdlLibrary& m_sdl;
};

// ALSA reports every step of a failed device look-up on stderr, eight lines for a
// machine without a sound card, while SDL goes on without sound. For as long as
// this lives, ALSA's messages go nowhere; the service says in one line of its own
// when the sound is off. SDL loads ALSA at run time, and so does this, sharing
// the same loaded library; without ALSA there is nothing to quieten.
class QuietAlsa {
  public:
    QuietAlsa() {
        m_library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (m_library != nullptr) SetHandler(&Discard);
    }
    ~QuietAlsa() {
        if (m_library == nullptr) return;
        SetHandler(nullptr);  // ALSA's own again
        dlclose(m_library);
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

  private:
    using Handler = void (*)(const char* file, int line, const char* function, int error,
                             const char* format, ...);
    static void Discard(const char*, int, const char*, int, const char*, ...) {}
    void SetHandler(Handler handler) {
        using SetHandlerFunction = int (*)(Handler);
        if (auto set =
                reinterpret_cast<SetHandlerFunction>(dlsym(m_library, "snd_lib_error_set_handler")))
            set(handler);
    }

    void* m_library = nullptr;  // from dlopen
};

// SDL's audio subsystem, started for as long as this lives (if it could be started).
class AudioSubsystem {
  public:
    explicit AudioSubsystem(const SdlLibrary& sdl) : m_sdl(sdl) {
        // Starting SDL's audio also starts its event subsystem, which by default takes over
        // SIGINT and SIGTERM to queue a quit event that nothing here reads: the game would
        // no longer end on either signal.
        m_sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        m_sdl.SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Bravok");
        m_started = m_sdl.InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    ~AudioSubsystem() {
        if (m_started) m_sdl.QuitSubSystem(SDL_INIT_AUDIO);
    }
    AudioSubsystem(const AudioSubsystem&) = delete;
    AudioSubsystem& operator=(const AudioSubsystem&) = delete;

    bool Started() const { return m_started; }

  private:
    const SdlLibrary& m_sdl;
    bool m_started = false;
};

// The default playback device, unpaused and fed through SDL's queue: with nothing queued it
// plays silence. Stays closed when there is no subsystem or no device can be opened.
class AudioDevice {
  public:
    AudioDevice(const SdlLibrary& sdl, bool subsystemStarted) : m_sdl(sdl) {
        if (!subsystemStarted) return;
        SDL_AudioSpec wanted{};
        wanted.freq = SdlSoundService::kPreferredRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = SdlSoundService::kPreferredChannels;
        wanted.samples = 512;  // frames per buffer: about 12 ms, so a shot starts promptly
        m_id =
            m_sdl.OpenAudioDevice(nullptr, 0, &wanted, &m_spec,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_FORMAT_CHANGE);
        if (m_id != 0) m_sdl.PauseAudioDevice(m_id, 0);
    }
    ~AudioDevice() {
        if (m_id != 0) m_sdl.CloseAudioDevice(m_id);
    }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool IsOpen() const { return m_id != 0; }
    const SDL_AudioSpec& Spec() const { return m_spec; }

    // Cuts off what is still queued and queues `sound`, in Spec()'s format, in its place.
    void Replace(const Samples& sound) {
        m_sdl.ClearQueuedAudio(m_id);
        if (!sound.empty()) m_sdl.QueueAudio(m_id, sound.data(), static_cast<Uint32>(sound.size()));
    }
    void Silence() { m_sdl.ClearQueuedAudio(m_id); }

  private:
    const SdlLibrary& m_sdl;
    SDL_AudioDeviceID m_id = 0;  // 0: not open
    SDL_AudioSpec m_spec{};      // what the device plays, once open
};

struct AudioStreamDeleter {
    const SdlLibrary* sdl;
    void operator()(SDL_AudioStream* stream) const { sdl->FreeAudioStream(stream); }
};

struct WavBufferDeleter {
    const SdlLibrary* sdl;
    void operator()(Uint8* buffer) const { sdl->FreeWAV(buffer); }
};

// Converts whole frames from one format to another; nothing when SDL cannot.
std::optional<Samples> Convert(const SdlLibrary& sdl, const SDL_AudioSpec& from, const Uint8* data,
                               std::size_t bytes, const SDL_AudioSpec& to) {
    if (bytes > INT_MAX) return std::nullopt;
    std::unique_ptr<SDL_AudioStream, AudioStreamDeleter> stream(
        sdl.NewAudioStream(from.format, from.channels, from.freq, to.format, to.channels, to.freq),
        AudioStreamDeleter{&sdl});
    if (!stream) return std::nullopt;
    if (bytes > 0 && sdl.AudioStreamPut(stream.get(), data, static_cast<int>(bytes)) != 0)
        return std::nullopt;
    if (sdl.AudioStreamFlush(stream.get()) != 0) return std::nullopt;
    Samples converted(
        static_cast<std::size_t>(std::max(0, sdl.AudioStreamAvailable(stream.get()))));
    const int got =
        sdl.AudioStreamGet(stream.get(), converted.data(), static_cast<int>(converted.size()));
    if (got < 0) return std::nullopt;
    converted.resize(static_cast<std::size_t>(got));
    return converted;
}

// A sound whose samples in the device's format would take more than this is not
// played: a shot lasts a second, and a file that claims a rate of 1 Hz, say,
// would otherwise be stretched into gigabytes.
constexpr double kMaxSoundBytes = 64.0 * 1024 * 1024;

double BytesPerFrame(const SDL_AudioSpec& spec) {
    return SDL_AUDIO_BITSIZE(spec.format) / 8.0 * spec.channels;
}

// The file's samples in the device's format; nothing when it is missing, not a WAV SDL reads,
// or too long.
std::optional<Samples> LoadWav(const SdlLibrary& sdl, const std::string& path,
                               const SDL_AudioSpec& device) {
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 bytes = 0;
    // What SDL_LoadWAV does: the stream is closed by the reading, whatever it finds.
    if (sdl.LoadWAV_RW(sdl.RWFromFile(path.c_str(), "rb"), 1, &spec, &raw, &bytes) == nullptr)
        return std::nullopt;
    const std::unique_ptr<Uint8, WavBufferDeleter> wav(raw, WavBufferDeleter{&sdl});
    if (spec.freq <= 0 || BytesPerFrame(spec) <= 0) return std::nullopt;
    const double frames = bytes / BytesPerFrame(spec);
    if (frames * device.freq / spec.freq * BytesPerFrame(device) > kMaxSoundBytes)
        return std::nullopt;
    return Convert(sdl, spec, wav.get(), bytes, device);
}

// The sound for a file that cannot be played: a soft 880 Hz "ding" of 150 ms that dies away,
// unlike the shot, so that a missing file is heard as such.
Samples MakeDefaultSound(const SdlLibrary& sdl, const SDL_AudioSpec& device) {
    constexpr int kRate = 22050;               // frames per second
    constexpr int kFrames = kRate * 15 / 100;  // 150 ms
    constexpr double kPitch = 880.0;           // Hz
    constexpr double kDecay = 0.04;            // seconds, time constant of the fade
    constexpr double kAttack = 0.002;          // seconds to full level, so it does not click
    constexpr double kLevel = 0.4;             // of full scale
    std::vector<Sint16> pcm(kFrames);
    for (int n = 0; n < kFrames; ++n) {
        const double t = static_cast<double>(n) / kRate;
        const double envelope = std::exp(-t / kDecay) * std::min(1.0, t / kAttack);
        const double wave = std::sin(2.0 * std::numbers::pi * kPitch * t);
        pcm[n] = static_cast<Sint16>(std::lround(kLevel * 32767.0 * envelope * wave));
    }
    SDL_AudioSpec from{};
    from.freq = kRate;
    from.format = AUDIO_S16SYS;
    from.channels = 1;
    return Convert(sdl, from, reinterpret_cast<const Uint8*>(pcm.data()),
                   pcm.size() * sizeof(Sint16), device)
        .value_or(Samples{});
}

// Everything SDL on the service's thread: made when the thread starts, gone when it ends.
class AudioOutput {
  public:
    explicit AudioOutput(const SdlLibrary& sdl)
        : m_sdl(sdl), m_threadData(sdl), m_subsystem(sdl), m_device(sdl, m_subsystem.Started()) {
        if (!m_device.IsOpen())
            std::fprintf(stderr, "bravok: sound is off: no audio device could be opened\n");
    }

    void Play(const std::string& path) {
        if (!m_device.IsOpen()) return;
        std::optional<Samples> sound;
        try {
            sound = LoadWav(m_sdl, path, m_device.Spec());
        } catch (const std::exception&) {
            // A file too big for memory (bad_alloc, length_error) is one that cannot be
            // played; the game goes on.
        }
        m_device.Replace(sound ? *sound : DefaultSound());
    }
    void Stop() {
        if (m_device.IsOpen()) m_device.Silence();
    }

  private:
    const Samples& DefaultSound() {
        if (!m_defaultSound) m_defaultSound = MakeDefaultSound(m_sdl, m_device.Spec());
        return *m_defaultSound;
    }

    // In this order: the device closes before the subsystem shuts down, ALSA gets its own
    // messages back once SDL has let go of it, and the thread's SDL data goes last, after
    // every SDL call that might have left some behind.
    const SdlLibrary& m_sdl;
    SdlThreadData m_threadData;
    QuietAlsa m_quietAlsa;
    AudioSubsystem m_subsystem;
    AudioDevice m_device;
    std::optional<Samples> m_defaultSound;  // made at its first use, in the device's format
};

}  // namespace

void SdlSoundService::PrepareProcess() {
    // The two places the bus library looks for a running bus before it launches one.
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        struct stat bus {};
        const std::string path = std::string(runtime) + "/bus";
        if (stat(path.c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode)) return;
    }
    // An address of no known kind: connecting fails at once, with nothing forked.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

SdlSoundService::SdlSoundService()
    : m_worker([mailbox = m_mailbox](std::stop_token stop) {
          Run(*mailbox, stop);
          {
              std::scoped_lock lock(mailbox->mutex);
              mailbox->finished = true;
          }
          mailbox->finishedChanged.notify_all();
      }) {}

SdlSoundService::~SdlSoundService() {
    // The worker leaves its wait, and closing the device cuts off any sound still playing.
    m_worker.request_stop();
    bool finished = false;
    {
        std::unique_lock lock(m_mailbox->mutex);
        finished = m_mailbox->finishedChanged.wait_for(lock, kShutdownWait,
                                                       [this] { return m_mailbox->finished; });
    }
    if (finished) {
        m_worker.join();
    } else {
        // Stuck inside the audio system: leave it behind rather than hang. It
        // keeps its own share of the mailbox and ends with the process.
        std::fprintf(stderr, "bravok: the audio system does not answer; closing without it\n");
        m_worker.detach();
    }
}

void SdlSoundService::PlayAsync(const char* path) {
    // Built before taking the lock, so that the lock covers a move and nothing more.
    Request request{.silence = path == nullptr, .path = path ? path : ""};
    {
        std::scoped_lock lock(m_mailbox->mutex);
        m_mailbox->pending = std::move(request);
    }
    m_mailbox->wake.notify_one();
}

std::optional<SdlSoundService::Request> SdlSoundService::WaitForRequest(Mailbox& mailbox,
                                                                        std::stop_token stop) {
    std::unique_lock lock(mailbox.mutex);
    mailbox.wake.wait(lock, stop, [&mailbox] { return mailbox.pending.has_value(); });
    if (stop.stop_requested()) return std::nullopt;
    return std::exchange(mailbox.pending, std::nullopt);
}

void SdlSoundService::Run(Mailbox& mailbox, std::stop_token stop) {
    const SdlLibrary* sdl = SdlLibrary::Get();
    if (sdl == nullptr) {
        std::fprintf(stderr,
                     "bravok: sound is off: SDL 2 (libSDL2-2.0.so.0) could not be loaded\n");
        while (WaitForRequest(mailbox, stop)) {
        }
        return;
    }
    AudioOutput output(*sdl);
    while (std::optional<Request> request = WaitForRequest(mailbox, stop)) {
        if (request->silence)
            output.Stop();
        else
            output.Play(request->path);
    }
}

std::unique_ptr<ISoundService> CreateSoundService() {
    return std::make_unique<SdlSoundService>();
}

void PrepareSoundService() {
    SdlSoundService::PrepareProcess();
}

}  // namespace bravok
