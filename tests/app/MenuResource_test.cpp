#include "app/MenuResource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frame/CommandIds.h"

namespace bravok {
namespace {

struct ExpectedItem {
    std::string_view popup;
    std::string_view text;
    unsigned command;
    bool checkable;
};

// The main menu, pop-up by pop-up and item by item; no separators anywhere.
constexpr ExpectedItem kExpectedMenu[] = {
    {"&File", "&New\tCtrl+N", 0xE100, false}, {"&File", "&Save\tCtrl+S", 0xE103, false},
    {"&File", "E&xit", 0xE141, false},        {"&Options", "&Crosshair", 0x8003, true},
    {"&Options", "&Grid", 0x8004, true},      {"&Help", "&About Bravok...", 0xE140, false},
};

TEST(MainFrameMenu, HasThePopupsAndItemsInOrder) {
    ASSERT_EQ(MainFrameMenu().size(), 3u);
    std::vector<ExpectedItem> actual;
    for (const PopupMenuResource& popup : MainFrameMenu())
        for (const MenuItemResource& item : popup.items)
            actual.push_back({popup.title, item.text, item.command, item.checkable});
    ASSERT_EQ(actual.size(), std::size(kExpectedMenu));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i);
        EXPECT_EQ(actual[i].popup, kExpectedMenu[i].popup);
        EXPECT_EQ(actual[i].text, kExpectedMenu[i].text);
        EXPECT_EQ(actual[i].command, kExpectedMenu[i].command);
        EXPECT_EQ(actual[i].checkable, kExpectedMenu[i].checkable);
    }
}

// wx refuses menu ids from 0x7FFF up and reserves its own below wxID_HIGHEST, so
// each command needs a distinct wx id between the two that leads back to it.
TEST(MainFrameMenu, EveryCommandHasItsOwnWxIdThatLeadsBack) {
    std::set<int> wxIds;
    for (const ExpectedItem& item : kExpectedMenu) {
        const int wxId = WxId(item.command);
        EXPECT_GT(wxId, 5999) << std::hex << item.command;
        EXPECT_LT(wxId, 0x7FFF) << std::hex << item.command;
        EXPECT_EQ(CommandFromWxId(wxId), item.command);
        wxIds.insert(wxId);
    }
    EXPECT_EQ(wxIds.size(), std::size(kExpectedMenu));
}

}  // namespace
}  // namespace bravok
