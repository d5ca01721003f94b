#include "platform/AsyncKeyTable.h"

namespace bravok {

void AsyncKeyTable::KeyDown(int vk) {
    if (Valid(vk)) m_keys[vk].fetch_or(kDown | kPressed);
}

void AsyncKeyTable::KeyUp(int vk) {
    if (Valid(vk)) m_keys[vk].fetch_and(static_cast<std::uint8_t>(~kDown));
}

std::int16_t AsyncKeyTable::GetAsyncKeyState(int vk) {
    if (!Valid(vk)) return 0;
    // One atomic read-and-clear, so a press recorded while we look is either
    // reported now or kept for the next query, never lost.
    const std::uint8_t state = m_keys[vk].fetch_and(static_cast<std::uint8_t>(~kPressed));
    std::int16_t result = 0;
    if (state & kDown) result |= kDownBit;
    if (state & kPressed) result |= kPressedBit;
    return result;
}

void AsyncKeyTable::Clear() {
    for (auto& key : m_keys) key.store(0);
}

}  // namespace bravok
