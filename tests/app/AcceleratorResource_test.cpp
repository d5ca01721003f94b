#include "app/AcceleratorResource.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "frame/CommandIds.h"

namespace bravok {
namespace {

struct ExpectedAccelerator {
    int wxFlags;
    int wxKey;
    unsigned command;
};

// The 13 entries in their order, as wx flags and key codes.
constexpr ExpectedAccelerator kExpected[] = {
    {wxACCEL_CTRL, 'N', 0xE100},         {wxACCEL_CTRL, 'O', 0xE101},
    {wxACCEL_CTRL, 'S', 0xE103},         {wxACCEL_CTRL, 'Z', 0xE12B},
    {wxACCEL_CTRL, 'X', 0xE123},         {wxACCEL_CTRL, 'C', 0xE122},
    {wxACCEL_CTRL, 'V', 0xE125},         {wxACCEL_ALT, WXK_BACK, 0xE12B},
    {wxACCEL_SHIFT, WXK_DELETE, 0xE123}, {wxACCEL_CTRL, WXK_INSERT, 0xE122},
    {wxACCEL_SHIFT, WXK_INSERT, 0xE125}, {wxACCEL_NORMAL, WXK_F6, 0xE150},
    {wxACCEL_SHIFT, WXK_F6, 0xE151},
};

TEST(MainFrameAccelerators, AreTheThirteenEntriesInOrderAsWxSeesThem) {
    ASSERT_EQ(MainFrameAccelerators().size(), std::size(kExpected));
    const auto entries = MainFrameAcceleratorEntries();
    ASSERT_EQ(entries.size(), std::size(kExpected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_EQ(MainFrameAccelerators()[i].command, kExpected[i].command);
        EXPECT_EQ(entries[i].GetFlags(), kExpected[i].wxFlags);
        EXPECT_EQ(entries[i].GetKeyCode(), kExpected[i].wxKey);
        EXPECT_NE(entries[i].GetCommand(), -1);
        EXPECT_EQ(CommandFromWxId(entries[i].GetCommand()), kExpected[i].command);
    }
}

TEST(MainFrameAccelerators, NoTwoEntriesShareAKey) {
    std::set<std::pair<int, int>> keys;
    for (const wxAcceleratorEntry& entry : MainFrameAcceleratorEntries())
        EXPECT_TRUE(keys.insert({entry.GetFlags(), entry.GetKeyCode()}).second)
            << "flags " << entry.GetFlags() << " key " << entry.GetKeyCode();
}

TEST(WxKeyCode, MapsVirtualKeysAndRejectsTheRest) {
    const std::pair<int, int> cases[] = {
        {'A', 'A'},       {'Z', 'Z'},         {'0', '0'},         {'9', '9'},
        {0x08, WXK_BACK}, {0x2D, WXK_INSERT}, {0x2E, WXK_DELETE}, {0x70, WXK_F1},
        {0x75, WXK_F6},   {0x87, WXK_F24},    {0x88, 0},          {0x6F, 0},
        {0x61, 0},  // the numeric pad's 1, not a lower-case letter
        {0, 0},
    };
    for (auto [virtualKey, wxKey] : cases)
        EXPECT_EQ(WxKeyCode(virtualKey), wxKey) << "virtual key 0x" << std::hex << virtualKey;
}

}  // namespace
}  // namespace bravok
