#pragma once

// The keyboard itself, read by the input worker; one backend per system.

#include <memory>

#include "platform/NativeWindow.h"

namespace bravok {

// What the keyboard and the mouse buttons hold at this moment, as the window
// system knows it, whichever of the game's windows has the focus.
class IKeyboardState {
  public:
    virtual ~IKeyboardState() = default;
    // Whether the key is down now. Shift and Ctrl are asked by their left and
    // right keys, never by the modifier itself.
    virtual bool IsDown(int vk) = 0;
};

// A reader of what the keyboard and the mouse buttons hold at the moment,
// whichever window has the focus: a key let go while a menu or a dialog has
// the keyboard is up at the next query, and keys held there still count. Null
// when the keyboard cannot be read. Open and destroy it on the window's
// thread; IsDown may be called from any.
std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay display);

}  // namespace bravok
