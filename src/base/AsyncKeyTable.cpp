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
    RecordPress(vk, kDown);
    // The modifier's own slot keeps only its pressed-since-the-last-query bit;
    // whether it is down is read from its two keys.
    if (const int modifier = ModifierOf(vk); modifier >= 0) RecordPress(modifier, 0);
}

void AsyncKeyTable::RecordPress(int vk, std::uint8_t down) {
    // A press a query has already seen down (the keyboard told it before this
    // event came through the window's queue) was reported then: counted again,
    // a tap would move the player twice.
    std::uint8_t old = m_keys[vk].load();
    while (!m_keys[vk].compare_exchange_weak(
        old, static_cast<std::uint8_t>(old | down | ((old & kReported) ? 0 : kPressed)))) {
    }
}

void AsyncKeyTable::KeyUp(int vk) {
    vk = Sided(vk);
    if (!Valid(vk)) return;
    m_keys[vk].fetch_and(static_cast<std::uint8_t>(~(kDown | kReported)));
    if (const int modifier = ModifierOf(vk); modifier >= 0)
        m_keys[modifier].fetch_and(static_cast<std::uint8_t>(~kReported));
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
    const bool down = IsDown(vk);
    // One atomic read-and-clear, so a press recorded while we look is either
    // reported now or kept for the next query, never lost. A key found down
    // has its press reported with it, also one whose event is still on its way.
    std::uint8_t old = m_keys[vk].load();
    while (!m_keys[vk].compare_exchange_weak(
        old, static_cast<std::uint8_t>(down ? (old & ~kPressed) | kReported : old & ~kPressed))) {
    }
    std::int16_t result = down ? kDownBit : 0;
    if (old & kPressed) result |= kPressedBit;
    return result;
}

void AsyncKeyTable::Clear() {
    for (auto& key : m_keys) key.store(0);
}

}  // namespace bravok
