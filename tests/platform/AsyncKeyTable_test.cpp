#include "platform/AsyncKeyTable.h"

#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

constexpr std::int16_t kDown = AsyncKeyTable::kDownBit;
constexpr std::int16_t kPressed = AsyncKeyTable::kPressedBit;

TEST(AsyncKeyTable, HeldKeyReportsPressOnceThenOnlyDown) {
    AsyncKeyTable keys;
    EXPECT_EQ(keys.GetAsyncKeyState(VK_UP), 0);
    keys.KeyDown(VK_UP);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_UP), kDown | kPressed);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_UP), kDown);
    keys.KeyUp(VK_UP);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_UP), 0);
}

TEST(AsyncKeyTable, TapBetweenQueriesIsSeenExactlyOnce) {
    AsyncKeyTable keys;
    keys.KeyDown(VK_LBUTTON);
    keys.KeyUp(VK_LBUTTON);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_LBUTTON), kPressed);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST(AsyncKeyTable, KeysAreIndependentAndQueryingOneKeepsTheOthers) {
    AsyncKeyTable keys;
    keys.KeyDown(VK_SHIFT);
    keys.KeyDown(VK_CONTROL);
    keys.KeyUp(VK_CONTROL);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_SHIFT), kDown | kPressed);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_CONTROL), kPressed);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_DOWN), 0);
}

TEST(AsyncKeyTable, ClearForgetsHeldKeysAndPendingPresses) {
    AsyncKeyTable keys;
    keys.KeyDown(VK_LEFT);
    keys.KeyDown(VK_KEY_A);
    keys.KeyUp(VK_KEY_A);
    keys.Clear();
    EXPECT_EQ(keys.GetAsyncKeyState(VK_LEFT), 0);
    EXPECT_EQ(keys.GetAsyncKeyState(VK_KEY_A), 0);
}

TEST(AsyncKeyTable, CodesOutsideTheTableAreIgnored) {
    AsyncKeyTable keys;
    for (int vk : {-1, AsyncKeyTable::kKeyCount, 100000}) {
        keys.KeyDown(vk);
        EXPECT_EQ(keys.GetAsyncKeyState(vk), 0) << vk;
        keys.KeyUp(vk);
    }
}

}  // namespace
}  // namespace bravok
