#include "dib/BitmapResources.h"

#include <array>

namespace bravok {

namespace {

struct BuiltInBitmap {
    std::uint16_t id;
    std::span<const std::uint8_t> bytes;
};

// The program draws no bitmaps of its own, so nothing is linked in; an entry
// added here becomes a resource of the executable.
constexpr std::array<BuiltInBitmap, 0> kBuiltInBitmaps{};

}  // namespace

ResourceModule::ResourceModule() {
    for (const BuiltInBitmap& bitmap : kBuiltInBitmaps)
        m_bitmaps.emplace(bitmap.id, std::vector(bitmap.bytes.begin(), bitmap.bytes.end()));
}

ResourceModule& ResourceModule::Current() {
    static ResourceModule module;
    return module;
}

std::optional<std::span<const std::uint8_t>> ResourceModule::FindBitmap(std::uint16_t id) const {
    std::scoped_lock lock(m_mutex);
    const auto found = m_bitmaps.find(id);
    if (found == m_bitmaps.end()) return std::nullopt;
    return std::span<const std::uint8_t>(found->second);
}

bool ResourceModule::RegisterBitmap(std::uint16_t id, std::vector<std::uint8_t> bytes) {
    std::scoped_lock lock(m_mutex);
    return m_bitmaps.emplace(id, std::move(bytes)).second;
}

void ResourceModule::RemoveBitmap(std::uint16_t id) {
    std::scoped_lock lock(m_mutex);
    m_bitmaps.erase(id);
}

}  // namespace bravok
