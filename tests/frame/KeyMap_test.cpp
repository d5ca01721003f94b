#include "frame/KeyMap.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

// wx key code and the key's own X symbol, the virtual key, and the wx code the
// virtual key maps back to (0 for none).
TEST(KeyMap, KeysMapToTheirVirtualKeysAndBack) {
    const std::array<long, 4> cases[] = {{WXK_UP, 0, VK_UP, WXK_UP},
                                         {WXK_NUMPAD_DOWN, 0, VK_DOWN, WXK_DOWN},
                                         {WXK_LEFT, 0, VK_LEFT, WXK_LEFT},
                                         {WXK_RIGHT, 0, VK_RIGHT, WXK_RIGHT},
                                         {WXK_ESCAPE, 0, VK_ESCAPE, WXK_ESCAPE},
                                         {WXK_SHIFT, 0xFFE1, VK_LSHIFT, WXK_SHIFT},
                                         {WXK_SHIFT, 0xFFE2, VK_RSHIFT, WXK_SHIFT},
                                         {WXK_CONTROL, 0, VK_LCONTROL, WXK_CONTROL},
                                         {WXK_CONTROL, 0xFFE4, VK_RCONTROL, WXK_CONTROL},
                                         {'a', 0, VK_KEY_A, 'A'},
                                         {'z', 0, VK_KEY_Z, 'Z'},
                                         {'7', 0, '7', '7'},
                                         {WXK_F6, 0, VK_F6, WXK_F6},
                                         {WXK_BACK, 0, VK_BACK, WXK_BACK},
                                         {WXK_INSERT, 0, VK_INSERT, WXK_INSERT},
                                         {WXK_DELETE, 0, VK_DELETE, WXK_DELETE},
                                         {WXK_SPACE, 0, -1, 0},
                                         {WXK_ALT, 0, -1, 0},
                                         {1000000, 0, -1, 0},
                                         {'[', 0, -1, 0}};
    for (const auto& [wx, sym, vk, back] : cases) {
        EXPECT_EQ(VirtualKeyFromWx(static_cast<int>(wx), static_cast<unsigned long>(sym)), vk)
            << wx;
        EXPECT_EQ(vk >= 0 ? WxKeyCode(static_cast<int>(vk)) : 0, back) << vk;
    }
    EXPECT_EQ(WxKeyCode(VK_SHIFT), WXK_SHIFT);
    EXPECT_EQ(WxKeyCode(0xFF), 0);
}

}  // namespace
}  // namespace bravok
