#include "frame/KeyMap.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

TEST(KeyMap, KeysMapToTheirVirtualKeysAndBack) {
    constexpr unsigned kShiftR = 0xFFE2, kControlR = 0xFFE4;  // X's key symbols
    struct Case {
        int wx;
        unsigned raw;
        int vk;
        int back;  // the wx code the virtual key maps back to
    };
    const Case cases[] = {
        {WXK_UP, 0, VK_UP, WXK_UP},           {WXK_NUMPAD_DOWN, 0, VK_DOWN, WXK_DOWN},
        {WXK_LEFT, 0, VK_LEFT, WXK_LEFT},     {WXK_RIGHT, 0, VK_RIGHT, WXK_RIGHT},
        {WXK_ESCAPE, 0, VK_ESCAPE, WXK_ESCAPE}, {WXK_SHIFT, 0xFFE1, VK_LSHIFT, WXK_SHIFT},
        {WXK_SHIFT, kShiftR, VK_RSHIFT, WXK_SHIFT}, {WXK_CONTROL, 0, VK_LCONTROL, WXK_CONTROL},
        {WXK_CONTROL, kControlR, VK_RCONTROL, WXK_CONTROL}, {'a', 0, VK_KEY_A, 'A'},
        {'Z', 0, VK_KEY_Z, 'Z'},              {'7', 0, '7', '7'},
        {WXK_F6, 0, VK_F6, WXK_F6},           {WXK_BACK, 0, VK_BACK, WXK_BACK},
        {WXK_INSERT, 0, VK_INSERT, WXK_INSERT}, {WXK_DELETE, 0, VK_DELETE, WXK_DELETE},
        {WXK_SPACE, 0, -1, 0},                {WXK_ALT, 0, -1, 0},
        {1000000, 0, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromWx(c.wx, c.raw), c.vk) << c.wx;
        if (c.vk >= 0) {
            EXPECT_EQ(WxKeyCode(c.vk), c.back) << c.vk;
        }
    }
    EXPECT_EQ(WxKeyCode(VK_SHIFT), WXK_SHIFT);
    EXPECT_EQ(WxKeyCode(0xFF), 0);
}

}  // namespace
}  // namespace bravok
