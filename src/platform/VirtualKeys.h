#pragma once

namespace bravok {

// Key codes of the keys and buttons the game polls, in the numbering the
// program's key table uses throughout (the classic virtual-key codes).
enum VirtualKey : int {
    VK_LBUTTON = 0x01,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_ESCAPE = 0x1B,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_KEY_A = 0x41,
    VK_KEY_Z = 0x5A,
};

}  // namespace bravok
