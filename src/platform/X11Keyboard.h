#pragma once

// The keyboard and the mouse buttons as the X server holds them, whichever
// window has the focus: a key let go while a menu or a dialog has the keyboard
// is up at the next query, and keys held there still count.

#include <memory>

#include "platform/AsyncKeyTable.h"

struct _XDisplay;

namespace bravok {

// A keyboard reader on a connection of its own to the server behind `display`
// (the toolkit's). The input worker reads the keyboard from its own thread, and
// an Xlib connection may not be used by two threads at once: the toolkit's
// belongs to the window's thread. Null when the server cannot be reached.
// Open and destroy it on the window's thread; IsDown may be called from any.
std::unique_ptr<IKeyboardState> OpenX11Keyboard(_XDisplay* display);

// The virtual key of an X key symbol, or -1: the keys the game knows, the right
// Shift and Ctrl keys apart from the left ones, the keypad's arrows as arrows.
int VirtualKeyFromKeySym(unsigned long keySym);

}  // namespace bravok
