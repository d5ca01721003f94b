// The Windows services the game reads keys and holds the pointer with, on the
// system itself (under Wine on the test run's X server).

#include <windows.h>

#include <gtest/gtest.h>

#include "Eventually.h"
#include "platform/AsyncKeyTable.h"
#include "platform/Keyboard.h"
#include "platform/Pointer.h"

namespace bravok {
namespace {

bool SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &input, sizeof input) == 1;
}

// The table reads the system's key state, with no window and no key event of
// its own: what the keyboard holds is down, and the right-hand Shift counts
// as Shift.
TEST(Win32Keyboard, TheTableSeesWhatTheSystemHolds) {
    AsyncKeyTable keys;
    keys.AttachKeyboard(OpenKeyboard(NativeDisplay{}));
    for (auto [sent, asked] : {std::pair{VK_UP, VK_UP}, {'Z', 'Z'}, {VK_RSHIFT, VK_SHIFT}}) {
        EXPECT_EQ(keys.GetAsyncKeyState(asked), 0) << asked;
        ASSERT_TRUE(SendKey(static_cast<WORD>(sent), false));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(asked) != 0; })) << asked;
        ASSERT_TRUE(SendKey(static_cast<WORD>(sent), true));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(asked) == 0; })) << asked;
    }
}

// The system holds the pointer inside the rectangle, against a move far
// outside, until the confinement is lifted.
TEST(Win32Pointer, ConfinementHoldsUntilLifted) {
    const Rect box{100, 120, 300, 200};
    ConfinePointer(box);
    WarpPointer(NativeDisplay{}, {5000, 5000});
    const Point held = PointerPosition(NativeDisplay{});
    ConfinePointer(std::nullopt);
    EXPECT_TRUE(held.x >= box.left && held.x < box.right && held.y >= box.top &&
                held.y < box.bottom)
        << held.x << "," << held.y;
    WarpPointer(NativeDisplay{}, {3, 4});
    EXPECT_EQ(PointerPosition(NativeDisplay{}), (Point{3, 4}));
}

}  // namespace
}  // namespace bravok
