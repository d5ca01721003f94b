#pragma once

namespace bravok {

// The system's headers define the VK_ names as macros of the same numbers: they
// are set aside while the enumeration is declared and come back after, so
// either spelling gives the same key.
#pragma push_macro("VK_LBUTTON")
#pragma push_macro("VK_BACK")
#pragma push_macro("VK_SHIFT")
#pragma push_macro("VK_CONTROL")
#pragma push_macro("VK_ESCAPE")
#pragma push_macro("VK_LEFT")
#pragma push_macro("VK_UP")
#pragma push_macro("VK_RIGHT")
#pragma push_macro("VK_DOWN")
#pragma push_macro("VK_INSERT")
#pragma push_macro("VK_DELETE")
#pragma push_macro("VK_F1")
#pragma push_macro("VK_F6")
#pragma push_macro("VK_LSHIFT")
#pragma push_macro("VK_RSHIFT")
#pragma push_macro("VK_LCONTROL")
#pragma push_macro("VK_RCONTROL")
#undef VK_LBUTTON
#undef VK_BACK
#undef VK_SHIFT
#undef VK_CONTROL
#undef VK_ESCAPE
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_INSERT
#undef VK_DELETE
#undef VK_F1
#undef VK_F6
#undef VK_LSHIFT
#undef VK_RSHIFT
#undef VK_LCONTROL
#undef VK_RCONTROL

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
// Every virtual key is below this.
inline constexpr int kVirtualKeyCount = 256;

#pragma pop_macro("VK_LBUTTON")
#pragma pop_macro("VK_BACK")
#pragma pop_macro("VK_SHIFT")
#pragma pop_macro("VK_CONTROL")
#pragma pop_macro("VK_ESCAPE")
#pragma pop_macro("VK_LEFT")
#pragma pop_macro("VK_UP")
#pragma pop_macro("VK_RIGHT")
#pragma pop_macro("VK_DOWN")
#pragma pop_macro("VK_INSERT")
#pragma pop_macro("VK_DELETE")
#pragma pop_macro("VK_F1")
#pragma pop_macro("VK_F6")
#pragma pop_macro("VK_LSHIFT")
#pragma pop_macro("VK_RSHIFT")
#pragma pop_macro("VK_LCONTROL")
#pragma pop_macro("VK_RCONTROL")

}  // namespace bravok
