#include "frame/KeyMap.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

TEST(KeyMap, GameKeysMapToTheirCodesAndOthersToNothing) {
    struct Case {
        int wx, vk;
    };
    const Case cases[] = {
        {WXK_UP, VK_UP},
        {WXK_DOWN, VK_DOWN},
        {WXK_LEFT, VK_LEFT},
        {WXK_RIGHT, VK_RIGHT},
        {WXK_NUMPAD_UP, VK_UP},
        {WXK_SHIFT, VK_SHIFT},
        {WXK_CONTROL, VK_CONTROL},
        {WXK_ESCAPE, VK_ESCAPE},
        {'A', VK_KEY_A},
        {'a', VK_KEY_A},
        {'Z', VK_KEY_Z},
        {'z', VK_KEY_Z},
        {'7', '7'},
        {WXK_F6, -1},
        {WXK_SPACE, -1},
        {WXK_ALT, -1},
        {-1, -1},
        {1000000, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromWx(c.wx), c.vk) << c.wx;
}

}  // namespace
}  // namespace bravok
