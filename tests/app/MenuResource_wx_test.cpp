#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/MenuResource.h"
#include "app/StringTable.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

wxString Wx(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

// wx keeps each label as written, "&" mnemonic and "\t" key included, and each
// item carries its command's wx id, its kind and its prompt as help string.
TEST(MainMenuBar, MirrorsTheMenuTableItemForItem) {
    const auto bar = CreateMainMenuBar();
    const auto popups = MainFrameMenu();
    ASSERT_EQ(bar->GetMenuCount(), popups.size());
    for (size_t i = 0; i < popups.size(); ++i) {
        EXPECT_EQ(bar->GetMenuLabel(i), Wx(popups[i].title));
        wxMenu* menu = bar->GetMenu(i);
        ASSERT_EQ(menu->GetMenuItemCount(), popups[i].items.size());
        for (size_t k = 0; k < popups[i].items.size(); ++k) {
            const MenuItemResource& expected = popups[i].items[k];
            SCOPED_TRACE(expected.text);
            const wxMenuItem* item = menu->FindItemByPosition(k);
            EXPECT_EQ(item->GetId(), WxId(expected.command));
            EXPECT_EQ(item->GetItemLabel(), Wx(expected.text));
            EXPECT_EQ(item->GetKind(), expected.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
            EXPECT_EQ(item->GetHelp(), Wx(CommandPrompt(expected.command)));
        }
    }
}

TEST(MainMenuBar, PromptsAreTheTextsBeforeTheNewline) {
    const auto bar = CreateMainMenuBar();
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->FindItem(WxId(ID_FILE_NEW))->GetItemLabel(), "&New\tCtrl+N");
    EXPECT_EQ(bar->FindItem(WxId(ID_FILE_NEW))->GetHelp(), "Create a new document");
    EXPECT_EQ(bar->FindItem(WxId(ID_FILE_SAVE))->GetHelp(), "Save the active document");
    const wxString aboutHelp = bar->FindItem(WxId(ID_APP_ABOUT))->GetHelp();
    EXPECT_FALSE(aboutHelp.empty());
    EXPECT_EQ(aboutHelp.Find('\n'), wxNOT_FOUND);
    EXPECT_TRUE(bar->FindItem(WxId(ID_OPTIONS_GRID))->IsCheckable());
}

// In a frame with a status bar, highlighting an item shows its prompt there.
TEST(MainMenuBar, HighlightedItemShowsItsPromptInTheStatusBar) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Bravok");
    frame->SetMenuBar(CreateMainMenuBar().release());
    wxStatusBar* status = frame->CreateStatusBar();
    status->SetStatusText("Ready");

    for (unsigned command : {ID_FILE_NEW, ID_APP_EXIT}) {
        wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, WxId(command));
        highlight.SetEventObject(frame);
        frame->ProcessWindowEvent(highlight);
        EXPECT_EQ(status->GetStatusText(), Wx(CommandPrompt(command)));
    }
    EXPECT_EQ(status->GetStatusText(), "Quit the application; prompts to save documents");
    frame->Destroy();
}

}  // namespace
}  // namespace bravok
