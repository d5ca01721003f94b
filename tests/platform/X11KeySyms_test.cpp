#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "platform/x11/KeySyms.h"

namespace bravok {
namespace {

// The keys of the X keyboard: left and right apart, letters whatever their case.
TEST(X11Keyboard, KnowsTheGamesKeysByTheirSymbols) {
    const std::pair<unsigned long, int> symbols[] = {
        {XK_Shift_L, VK_LSHIFT}, {XK_Shift_R, VK_RSHIFT}, {XK_Control_R, VK_RCONTROL},
        {XK_a, VK_KEY_A},        {XK_Z, VK_KEY_Z},        {XK_KP_Left, VK_LEFT},
        {XK_F10, VK_F1 + 9},     {XK_Return, -1}};
    for (const auto& [symbol, vk] : symbols) EXPECT_EQ(VirtualKeyFromKeySym(symbol), vk) << symbol;
}

}  // namespace
}  // namespace bravok
