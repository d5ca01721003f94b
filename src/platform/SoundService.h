#pragma once

#include <memory>

namespace bravok {

// Plays sound files without making the caller wait. A new request replaces the
// sound that is still playing. Implementations must be safe to call from any
// thread and must never block for long: the input worker calls them while it
// holds the player's lock.
class ISoundService {
  public:
    virtual ~ISoundService() = default;
    // A file that cannot be found or read plays a short default sound instead.
    virtual void PlayAsync(const char* path) = 0;
};

// The system's own sound service, made by its backend.
std::unique_ptr<ISoundService> CreateSoundService();

// Readies the process for the system's sound service: first thing in main,
// before any thread starts.
void PrepareSoundService();

}  // namespace bravok
