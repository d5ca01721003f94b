#pragma once

namespace bravok {

// The program's one key vocabulary: the keys and buttons the game polls and
// the accelerator table names, in the classic virtual-key numbering. Letters
// and digits are their own upper-case character codes.
enum VirtualKey : int {
    VK_LBUTTON = 0x01,
    VK_BACK = 0x08,
    VK_SHIFT = 0x10,    // either Shift key
    VK_CONTROL = 0x11,  // either Ctrl key
    VK_ESCAPE = 0x1B,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_KEY_A = 0x41,
    VK_KEY_Z = 0x5A,
    VK_F1 = 0x70,  // F1 to F24 follow one another
    VK_F6 = 0x75,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
};

}  // namespace bravok
