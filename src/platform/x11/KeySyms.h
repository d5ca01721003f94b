#pragma once

namespace bravok {

// The virtual key of an X key symbol, or -1: the keys the game knows, the right
// Shift and Ctrl keys apart from the left ones, the keypad's arrows as arrows.
int VirtualKeyFromKeySym(unsigned long keySym);

}  // namespace bravok
