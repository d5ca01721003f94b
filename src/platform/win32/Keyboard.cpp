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
    bool IsDown(int vk) override { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }
};

}  // namespace

std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay) {
    return std::make_unique<Win32Keyboard>();
}

}  // namespace bravok
