#pragma once

namespace bravok {

// The key-table code of a wx key code, or -1 for a key the game has no use
// for. Letters and digits keep their character codes.
int VirtualKeyFromWx(int wxKeyCode);

}  // namespace bravok
