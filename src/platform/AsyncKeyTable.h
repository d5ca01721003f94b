#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace bravok {

// The state of every key and mouse button, recorded by the thread that owns the
// window and polled by the input worker.
//
// A query answers like the classic asynchronous key state: bit 15 is set while
// the key is down, bit 0 when the key went down since the previous query of that
// key, and the query clears bit 0. A press that begins and ends between two
// polls is therefore still seen once.
//
// Shift and Ctrl each have a left and a right key, recorded apart: VK_SHIFT
// (VK_CONTROL) reads as down while either of its keys is down, so letting go of
// one while the other is held keeps the modifier. Recording VK_SHIFT or
// VK_CONTROL itself stands for the left key.
class AsyncKeyTable {
  public:
    static constexpr int kKeyCount = 256;
    static constexpr std::int16_t kDownBit = static_cast<std::int16_t>(0x8000);
    static constexpr std::int16_t kPressedBit = 0x0001;

    void KeyDown(int vk);
    void KeyUp(int vk);
    std::int16_t GetAsyncKeyState(int vk);
    // Forgets every key: used when the application loses the focus, since the
    // releases of keys held then never reach it.
    void Clear();

  private:
    static constexpr std::uint8_t kDown = 1;
    static constexpr std::uint8_t kPressed = 2;
    static bool Valid(int vk) { return vk >= 0 && vk < kKeyCount; }

    std::array<std::atomic<std::uint8_t>, kKeyCount> m_keys{};
};

}  // namespace bravok
