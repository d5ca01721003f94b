#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace bravok {

// The virtual key of an X key symbol, or -1: the keys the game knows, the right
// Shift and Ctrl keys apart from the left ones, the keypad's arrows as arrows
// (its digits, which NumLock gives, are no arrows).
int VirtualKeyFromKeySym(unsigned long keySym);

// The letter ('A' to 'Z') on the key of this XKB key name ("AC01", the first
// key of the home row) on a US keyboard, or 0 for a key that has no letter
// there.
char UsLetterOfKeyName(std::string_view keyName);

// One key of the keyboard as the layout in use has it: its symbol in the
// active group with no modifier but NumLock applied, and the letter at its
// place on a US keyboard (0 if none).
struct LayoutKey {
    int keycode = 0;
    unsigned long keySym = 0;
    char usLetter = 0;
};

// The virtual key each key stands for, in the same order (-1: none), as
// Windows numbers the keys: a key showing a Latin letter is that letter; a
// letter the layout shows on no key (a Cyrillic or Greek layout) is the key at
// that letter's place on a US keyboard, where that key shows no Latin letter
// itself. So on AZERTY the key showing A is A and the one at US A's place is
// Q, on Dvorak only the key showing Z is Z, and on a Russian keyboard the key
// at US A's place is A.
std::vector<int> VirtualKeysOfLayout(std::span<const LayoutKey> keys);

}  // namespace bravok
