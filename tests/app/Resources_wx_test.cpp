#include <gtest/gtest.h>
#include <wx/menu.h>

#include <cctype>
#include <set>
#include <string>
#include <string_view>

#include "app/AcceleratorResource.h"
#include "app/MenuResource.h"
#include "app/StringTable.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

// The letter after the "&" of a label, as Alt and the key would type it.
char Mnemonic(std::string_view label) {
    const auto amp = label.find('&');
    return amp == label.npos || amp + 1 == label.size()
               ? '\0'
               : static_cast<char>(std::toupper(static_cast<unsigned char>(label[amp + 1])));
}

// wx's menu bar holds the menu table's pop-ups and items in order: each label as
// written, its command's wx id, a check mark where the table asks for one, and the
// command's status-bar prompt as its help.
TEST(MainMenuBar, HoldsTheMenuTableAsWxSeesIt) {
    const auto table = MainFrameMenu();
    const auto bar = CreateMainMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), table[i].title);
        const wxMenu* menu = bar->GetMenu(i);
        ASSERT_EQ(menu->GetMenuItemCount(), table[i].items.size()) << table[i].title;
        for (size_t k = 0; k < table[i].items.size(); ++k) {
            const MenuItemResource& expected = table[i].items[k];
            SCOPED_TRACE(std::string(expected.text));
            const wxMenuItem* item = menu->FindItemByPosition(k);
            EXPECT_EQ(item->GetItemLabel().utf8_string(), expected.text);
            EXPECT_EQ(CommandFromWxId(item->GetId()), expected.command);
            EXPECT_EQ(item->GetKind(), expected.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
            EXPECT_EQ(item->GetHelp().utf8_string(), CommandPrompt(expected.command));
        }
    }
}

// What the menu table promises a user: a key a label shows after its tab is a key
// of the accelerator table that gives the same command, an item that is no check
// mark says in the status bar what it does, and no two pop-ups, nor two items of
// one pop-up, answer to one Alt letter.
TEST(MainMenuBar, KeepsItsPromisesToTheUser) {
    std::set<std::pair<std::string, unsigned>> accelerators;
    for (const wxAcceleratorEntry& entry : MainFrameAcceleratorEntries())
        accelerators.emplace(entry.ToString().utf8_string(), CommandFromWxId(entry.GetCommand()));
    std::set<char> titleLetters;
    for (const PopupMenuResource& popup : MainFrameMenu()) {
        EXPECT_TRUE(titleLetters.insert(Mnemonic(popup.title)).second) << popup.title;
        std::set<char> itemLetters;
        for (const MenuItemResource& item : popup.items) {
            SCOPED_TRACE(std::string(item.text));
            EXPECT_TRUE(itemLetters.insert(Mnemonic(item.text)).second);
            EXPECT_NE(Mnemonic(item.text), '\0');
            const auto tab = item.text.find('\t');
            const std::string shown(tab == item.text.npos ? "" : item.text.substr(tab + 1));
            EXPECT_TRUE(shown.empty() || accelerators.contains({shown, item.command})) << shown;
            EXPECT_TRUE(item.checkable || !CommandPrompt(item.command).empty());
        }
    }
}

}  // namespace
}  // namespace bravok
