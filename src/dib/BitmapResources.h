#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace bravok {

// The bitmap resources of the running program, looked up by integer id. Each is
// laid out as a bitmap file without its file header: the info header, its colour
// table, then the pixel array. The program's own bitmaps are compiled in; tests
// register theirs. Like the resources of an executable, a bitmap never changes
// or goes away once it is there, so the bytes a look-up gives stay valid for the
// life of the process.
class ResourceModule {
  public:
    // The process's one module.
    static ResourceModule& Current();

    // The bytes of bitmap id, or nothing when the module has no such bitmap.
    std::optional<std::span<const std::uint8_t>> FindBitmap(std::uint16_t id) const;

    // Adds bitmap id; false, and no change, when the id is taken already.
    bool RegisterBitmap(std::uint16_t id, std::vector<std::uint8_t> bytes);
    // Takes a registered bitmap away again, for a caller that registers many
    // (a fuzzer), so that they do not pile up. Only safe while nobody holds the
    // bytes of a look-up: a CDib copies them before its load returns.
    void RemoveBitmap(std::uint16_t id);

  private:
    ResourceModule();

    mutable std::mutex m_mutex;  // guards m_bitmaps; the bytes themselves are never changed
    std::map<std::uint16_t, std::vector<std::uint8_t>> m_bitmaps;
};

}  // namespace bravok
