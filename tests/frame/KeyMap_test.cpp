#include "frame/KeyMap.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

#include <tuple>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

// Every key the game names goes to wx and comes back as itself. Keys as wx
// reports them (either case, the keypad's arrows, the right Shift and Ctrl
// keys) reach the virtual key the game polls; keys it has no use for, none.
TEST(KeyMap, KeysMapToTheirVirtualKeysAndBack) {
    const int named[] = {VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT, VK_ESCAPE, VK_LSHIFT, VK_LCONTROL,
                         VK_KEY_A, '7',     VK_F1,   VK_F6,    VK_BACK,   VK_DELETE, VK_INSERT};
    for (int vk : named) EXPECT_EQ(VirtualKeyFromWx(WxKeyCode(vk)), vk) << vk;
    const std::tuple<int, bool, int> reported[] = {{'z', false, VK_KEY_Z},
                                                   {WXK_NUMPAD_DOWN, false, VK_DOWN},
                                                   {WXK_SPACE, false, -1},
                                                   {WXK_SHIFT, true, VK_RSHIFT},
                                                   {WXK_CONTROL, true, VK_RCONTROL}};
    for (const auto& [code, right, vk] : reported)
        EXPECT_EQ(VirtualKeyFromWx(code, right), vk) << code;
    EXPECT_EQ(WxKeyCode(VK_RSHIFT), WXK_SHIFT);
    EXPECT_EQ(WxKeyCode(0xFF), 0);
}

}  // namespace
}  // namespace bravok
