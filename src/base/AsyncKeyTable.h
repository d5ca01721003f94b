#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/Keyboard.h"
#include "platform/VirtualKeys.h"

namespace bravok {

// The state of every key and mouse button, polled by the input worker.
//
// A query answers like the classic asynchronous key state: bit 15 is set while
// the key is down, bit 0 when the key went down since the previous query of that
// key, and the query clears bit 0. A press that begins and ends between two
// polls is therefore still seen once.
//
// Whether a key is down comes from the keyboard itself when one is attached, so
// a key let go while another window of the game has the keyboard is up at the
// next query; the key events the view receives record the presses, and stand in
// for the keyboard when none is attached.
//
// Shift and Ctrl each have a left and a right key, recorded apart: VK_SHIFT
// (VK_CONTROL) reads as down while either of its keys is down, so letting go of
// one while the other is held keeps the modifier. Recording VK_SHIFT or
// VK_CONTROL itself stands for the left key.
class AsyncKeyTable {
  public:
    static constexpr int kKeyCount = kVirtualKeyCount;
    static constexpr std::int16_t kDownBit = static_cast<std::int16_t>(0x8000);
    static constexpr std::int16_t kPressedBit = 0x0001;

    // Attach before the first query from another thread; the table owns it.
    void AttachKeyboard(std::unique_ptr<IKeyboardState> keyboard) {
        m_keyboard = std::move(keyboard);
    }

    void KeyDown(int vk);
    void KeyUp(int vk);
    std::int16_t GetAsyncKeyState(int vk);
    // Forgets every press: used when the application loses the focus, since the
    // releases of keys held then may never reach it.
    void Clear();

  private:
    static constexpr std::uint8_t kDown = 1;
    static constexpr std::uint8_t kPressed = 2;
    static bool Valid(int vk) { return vk >= 0 && vk < kKeyCount; }
    bool IsDown(int vk);

    std::array<std::atomic<std::uint8_t>, kKeyCount> m_keys{};
    std::unique_ptr<IKeyboardState> m_keyboard;
};

}  // namespace bravok
