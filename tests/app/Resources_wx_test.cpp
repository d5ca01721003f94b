#include <gtest/gtest.h>
#include <wx/menu.h>

#include <vector>

#include "app/MenuResource.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

// Each label as written, its command, kind, and the prompt the status bar shows.
TEST(MainMenuBar, HoldsTheItemsInOrderAsWxSeesThem) {
    struct Item {
        const char* text;
        unsigned command;
        bool checkable;
        const char* help;
    };
    const std::pair<const char*, std::vector<Item>> popups[] = {
        {"&File",
         {{"&New\tCtrl+N", ID_FILE_NEW, false, "Create a new document"},
          {"&Save\tCtrl+S", ID_FILE_SAVE, false, "Save the active document"},
          {"E&xit", ID_APP_EXIT, false, "Quit the application; prompts to save documents"}}},
        {"&Options",
         {{"&Crosshair", ID_OPTIONS_CROSSHAIR, true, ""}, {"&Grid", ID_OPTIONS_GRID, true, ""}}},
        {"&Help",
         {{"&About Bravok...", ID_APP_ABOUT, false,
           "Display program information, version number and copyright"}}},
    };
    const auto bar = CreateMainMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), std::size(popups));
    for (size_t i = 0; i < std::size(popups); ++i) {
        EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), popups[i].first);
        const wxMenu* menu = bar->GetMenu(i);
        ASSERT_EQ(menu->GetMenuItemCount(), popups[i].second.size()) << popups[i].first;
        for (size_t k = 0; k < popups[i].second.size(); ++k) {
            const Item& expected = popups[i].second[k];
            SCOPED_TRACE(expected.text);
            const wxMenuItem* item = menu->FindItemByPosition(k);
            EXPECT_EQ(item->GetItemLabel().utf8_string(), expected.text);
            EXPECT_EQ(CommandFromWxId(item->GetId()), expected.command);
            EXPECT_EQ(item->GetKind(), expected.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
            EXPECT_EQ(item->GetHelp().utf8_string(), expected.help);
        }
    }
}

}  // namespace
}  // namespace bravok
