#include "frame/KeyMap.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

// Columns: wx code and whether it is the right-hand key, virtual key (-1: none), and the wx code
// back (0: none).
TEST(KeyMap, KeysMapToTheirVirtualKeysAndBack) {
    const int wx[] = {WXK_UP,      WXK_NUMPAD_DOWN, WXK_ESCAPE, WXK_SHIFT, WXK_SHIFT,
                      WXK_CONTROL, WXK_CONTROL,     'a',        'z',       '7',
                      WXK_F6,      WXK_BACK,        WXK_DELETE, WXK_SPACE, '['};
    const bool right[] = {0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    const int vk[] = {VK_UP,       VK_DOWN,     VK_ESCAPE, VK_LSHIFT, VK_RSHIFT,
                      VK_LCONTROL, VK_RCONTROL, VK_KEY_A,  VK_KEY_Z,  '7',
                      VK_F6,       VK_BACK,     VK_DELETE, -1,        -1};
    const int back[] = {WXK_UP,      WXK_DOWN,    WXK_ESCAPE, WXK_SHIFT, WXK_SHIFT,
                        WXK_CONTROL, WXK_CONTROL, 'A',        'Z',       '7',
                        WXK_F6,      WXK_BACK,    WXK_DELETE, 0,         0};
    for (std::size_t i = 0; i < std::size(wx); ++i) {
        EXPECT_EQ(VirtualKeyFromWx(wx[i], right[i]), vk[i]) << i;
        EXPECT_EQ(vk[i] >= 0 ? WxKeyCode(vk[i]) : 0, back[i]) << i;
    }
    EXPECT_EQ(WxKeyCode(0xFF), 0);
}

}  // namespace
}  // namespace bravok
