// The keyboard on Windows: the system's own asynchronous key state, which the
// input worker reads from its own thread. It holds what the keyboard and the
// mouse buttons hold, whichever of the game's windows has the focus.

#include <windows.h>

#include "platform/Keyboard.h"

namespace bravok {

namespace {

class Win32Keyboard final : public IKeyboardState {
  public:
    // Bit 15: the key is down at this moment. The system's other bit, pressed
    // since the last query, is shared with every other caller, so the table
    // keeps that one itself from the window's key events.
    bool IsDown(int vk) override { return (::GetAsyncKeyState(Physical(vk)) & 0x8000) != 0; }

  private:
    // The system reports the buttons as they sit on the mouse; the game asks for
    // them by role, as its window's button events name them. With the buttons
    // swapped for the left hand, the primary (left) button is the right one.
    static int Physical(int vk) {
        if ((vk != VK_LBUTTON && vk != VK_RBUTTON) || !::GetSystemMetrics(SM_SWAPBUTTON)) return vk;
        return vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON;
    }
};

}  // namespace

std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay) {
    return std::make_unique<Win32Keyboard>();
}

}  // namespace bravok
