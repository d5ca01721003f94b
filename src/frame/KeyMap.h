#pragma once

namespace bravok {

// The one mapping between wx's key codes and the program's virtual keys, used
// both ways: keys the window receives go into the key table, and the
// accelerator table's keys go to wx.

// The virtual key of a key event, or -1 for a key the game has no use for.
// Letters (either case) and digits keep their upper-case character codes.
// `rightHand` says a Shift or Ctrl key is the right one of its pair.
int VirtualKeyFromWx(int wxKeyCode, bool rightHand = false);

// The wx key code of a virtual key, or 0 for one wx cannot name.
int WxKeyCode(int virtualKey);

}  // namespace bravok
