#pragma once

// The keyboard itself, read by the input worker; one backend per system.

#include <memory>

#include "platform/AsyncKeyTable.h"
#include "platform/NativeWindow.h"

namespace bravok {

// A reader of what the keyboard and the mouse buttons hold at the moment,
// whichever window has the focus: a key let go while a menu or a dialog has
// the keyboard is up at the next query, and keys held there still count. Null
// when the keyboard cannot be read. Open and destroy it on the window's
// thread; IsDown may be called from any.
std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay display);

}  // namespace bravok
