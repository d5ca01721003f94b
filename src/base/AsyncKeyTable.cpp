#include "base/AsyncKeyTable.h"

#include "platform/VirtualKeys.h"

namespace bravok {

namespace {

// The modifier a left or right key belongs to, or -1.
int ModifierOf(int vk) {
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
    return -1;
}

// The left key stands in for a modifier recorded without its side.
int Sided(int vk) {
    if (vk == VK_SHIFT) return VK_LSHIFT;
    if (vk == VK_CONTROL) return VK_LCONTROL;
    return vk;
}

}  // namespace

void AsyncKeyTable::KeyDown(int vk) {
    vk = Sided(vk);
    if (!Valid(vk)) return;
    m_keys[vk].fetch_or(kDown | kPressed);
    // The modifier's own slot keeps only its pressed-since-the-last-query bit;
    // whether it is down is read from its two keys.
    if (const int modifier = ModifierOf(vk); modifier >= 0) m_keys[modifier].fetch_or(kPressed);
}

void AsyncKeyTable::KeyUp(int vk) {
    vk = Sided(vk);
    if (Valid(vk)) m_keys[vk].fetch_and(static_cast<std::uint8_t>(~kDown));
}

bool AsyncKeyTable::IsDown(int vk) {
    if (vk == VK_SHIFT || vk == VK_CONTROL) {
        const int left = vk == VK_SHIFT ? VK_LSHIFT : VK_LCONTROL;
        return IsDown(left) || IsDown(left + 1);
    }
    if (m_keyboard != nullptr) return m_keyboard->IsDown(vk);
    return (m_keys[vk].load() & kDown) != 0;
}

std::int16_t AsyncKeyTable::GetAsyncKeyState(int vk) {
    if (!Valid(vk)) return 0;
    // One atomic read-and-clear, so a press recorded while we look is either
    // reported now or kept for the next query, never lost.
    const bool pressed =
        (m_keys[vk].fetch_and(static_cast<std::uint8_t>(~kPressed)) & kPressed) != 0;
    std::int16_t result = IsDown(vk) ? kDownBit : 0;
    if (pressed) result |= kPressedBit;
    return result;
}

void AsyncKeyTable::Clear() {
    for (auto& key : m_keys) key.store(0);
}

}  // namespace bravok
