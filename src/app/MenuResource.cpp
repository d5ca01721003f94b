#include "app/MenuResource.h"

#include <wx/menu.h>

#include <array>

#include "app/StringTable.h"
#include "app/WxText.h"
#include "frame/CommandIds.h"

namespace bravok {

namespace {

constexpr auto kFileItems = std::to_array<MenuItemResource>({
    {"&New\tCtrl+N", ID_FILE_NEW},
    {"&Save\tCtrl+S", ID_FILE_SAVE},
    {"E&xit", ID_APP_EXIT},
});
constexpr auto kOptionsItems = std::to_array<MenuItemResource>({
    {"&Crosshair", ID_OPTIONS_CROSSHAIR, true},
    {"&Grid", ID_OPTIONS_GRID, true},
});
constexpr auto kHelpItems = std::to_array<MenuItemResource>({
    {"&About Bravok...", ID_APP_ABOUT},
});
constexpr auto kMainFrameMenu = std::to_array<PopupMenuResource>({
    {"&File", kFileItems},
    {"&Options", kOptionsItems},
    {"&Help", kHelpItems},
});

}  // namespace

std::span<const PopupMenuResource> MainFrameMenu() {
    return kMainFrameMenu;
}

std::unique_ptr<wxMenuBar> CreateMainMenuBar() {
    auto menuBar = std::make_unique<wxMenuBar>();
    for (const PopupMenuResource& popup : kMainFrameMenu) {
        // wx takes ownership of the pop-up as soon as it is appended.
        auto* menu = new wxMenu;
        for (const MenuItemResource& item : popup.items)
            menu->Append(WxId(item.command), ToWx(item.text), ToWx(CommandPrompt(item.command)),
                         item.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
        menuBar->Append(menu, ToWx(popup.title));
    }
    return menuBar;
}

}  // namespace bravok
