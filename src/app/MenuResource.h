#pragma once

#include <memory>
#include <span>
#include <string_view>

class wxMenuBar;

namespace bravok {

// One item of a pop-up menu. A checkable item shows a check mark that its command's
// update handler sets.
struct MenuItemResource {
    std::string_view text;  // with its "&" mnemonic and, after "\t", the key it shows
    unsigned command;
    bool checkable = false;
};

struct PopupMenuResource {
    std::string_view title;
    std::span<const MenuItemResource> items;
};

// The menu of IDR_MAINFRAME: its pop-ups in order, left to right.
std::span<const PopupMenuResource> MainFrameMenu();

// Builds the main window's menu bar from MainFrameMenu(): every item carries its
// command's wx id and, as its help string, the command's status-bar prompt.
// The caller hands it to the frame, which then owns it.
std::unique_ptr<wxMenuBar> CreateMainMenuBar();

}  // namespace bravok
