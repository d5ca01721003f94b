// Sound on Windows: the system's own player, PlaySound, on a thread of the
// service's own. PlaySound reads the file before it returns, even when it plays
// it asynchronously, so the caller (the input worker, holding the player's
// lock) only leaves the request and never waits for a disk.
//
// The player's library, winmm, is loaded by that thread when the first sound is
// asked for, not with the program: under Wine, loading it starts the audio
// drivers, which held up every start of the game by 10 to 15 ms.

#include <windows.h>
// After <windows.h>, whose types it uses.
#include <mmsystem.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/SoundService.h"
#include "platform/win32/WideText.h"

namespace bravok {

namespace {

// PlaySoundW from winmm, loaded at its first use and kept for the rest of the
// process: a sound may still be playing on winmm's own thread.
class SystemPlayer {
  public:
    // Plays as PlaySoundW does; nothing where winmm cannot be loaded.
    void Play(LPCWSTR sound, DWORD flags) {
        if (!m_tried) Load();
        if (m_play != nullptr) m_play(sound, nullptr, flags);
    }
    // Cuts off the sound playing, if any was ever played.
    void Stop() {
        if (m_play != nullptr) m_play(nullptr, nullptr, 0);
    }

  private:
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

    void Load() {
        m_tried = true;
        if (HMODULE winmm = LoadLibraryW(L"winmm.dll")) {
            // Through void (*)(): the one function type any other converts to.
            m_play = reinterpret_cast<PlaySoundFunction>(
                reinterpret_cast<void (*)()>(GetProcAddress(winmm, "PlaySoundW")));
        }
        if (m_play == nullptr)
            std::fprintf(stderr, "bravok: sound is off: winmm.dll cannot play\n");
    }

    bool m_tried = false;
    PlaySoundFunction m_play = nullptr;
};

class PlaySoundService final : public ISoundService {
  public:
    PlaySoundService() : m_worker([this](std::stop_token stop) { Run(stop); }) {}

    ~PlaySoundService() override {
        m_worker.request_stop();
        m_worker.join();
    }

    // Only the latest request counts: one that arrives while an older one still
    // waits replaces it, and each one played cuts off the sound playing, as
    // PlaySound does. A null path just stops the sound playing.
    void PlayAsync(const char* path) override {
        {
            std::scoped_lock lock(m_mutex);
            m_pending = path != nullptr ? std::optional(WideFromUtf8(path)) : std::nullopt;
            m_hasRequest = true;
        }
        m_wake.notify_one();
    }

  private:
    void Run(std::stop_token stop) {
        for (;;) {
            std::optional<std::wstring> request;
            {
                std::unique_lock lock(m_mutex);
                if (!m_wake.wait(lock, stop, [this] { return m_hasRequest; })) break;
                request = std::move(m_pending);
                m_hasRequest = false;
            }
            if (request)
                Play(*request);
            else
                m_player.Stop();
        }
        m_player.Stop();  // the game is ending: no sound outlives it
    }

    void Play(const std::wstring& path) {
        // SND_FILENAME | SND_ASYNC and no SND_NODEFAULT: Windows plays its default
        // sound for a file it cannot play. Wine plays none for a file that is not
        // there, so the default sound is asked for by its alias then.
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            m_player.Play(reinterpret_cast<LPCWSTR>(SND_ALIAS_SYSTEMDEFAULT),
                          SND_ALIAS_ID | SND_ASYNC);
        else
            m_player.Play(path.c_str(), SND_FILENAME | SND_ASYNC);
    }

    std::mutex m_mutex;  // guards m_pending and m_hasRequest
    std::condition_variable_any m_wake;
    std::optional<std::wstring> m_pending;  // nothing: stop the sound playing
    bool m_hasRequest = false;
    SystemPlayer m_player;  // the service's thread alone
    // Declared last: it starts once the fields above exist.
    std::jthread m_worker;
};

}  // namespace

std::unique_ptr<ISoundService> CreateSoundService() {
    return std::make_unique<PlaySoundService>();
}

// The system's player needs nothing of the process beforehand.
void PrepareSoundService() {}

}  // namespace bravok
