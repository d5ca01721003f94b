#pragma once

#include <array>
#include <cstdint>

namespace bravok {

// The program's own command and resource ids. They are the classic numbers, and
// everything in the program speaks of commands by them.
inline constexpr unsigned IDR_MAINFRAME = 128;    // menu, accelerators, icon, title
inline constexpr unsigned IDR_SECOND_ICON = 129;  // a second icon group nothing loads
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDOK_BUTTON = 1;

inline constexpr unsigned ID_FILE_NEW = 0xE100;
inline constexpr unsigned ID_FILE_OPEN = 0xE101;
inline constexpr unsigned ID_FILE_SAVE = 0xE103;
inline constexpr unsigned ID_EDIT_COPY = 0xE122;
inline constexpr unsigned ID_EDIT_CUT = 0xE123;
inline constexpr unsigned ID_EDIT_PASTE = 0xE125;
inline constexpr unsigned ID_EDIT_UNDO = 0xE12B;
inline constexpr unsigned ID_APP_ABOUT = 0xE140;
inline constexpr unsigned ID_APP_EXIT = 0xE141;
inline constexpr unsigned ID_NEXT_PANE = 0xE150;
inline constexpr unsigned ID_PREV_PANE = 0xE151;
inline constexpr unsigned ID_OPTIONS_CROSSHAIR = 0x8003;
inline constexpr unsigned ID_OPTIONS_GRID = 0x8004;

inline constexpr unsigned AFX_IDS_APP_TITLE = 0xE000;
inline constexpr unsigned AFX_IDS_IDLEMESSAGE = 0xE001;
inline constexpr unsigned AFX_IDW_STATUS_BAR = 0xE801;

// wx refuses menu ids at or above 0x7FFF, and the classic ids are spread too
// widely to shift into its range, so each command gets a wx id of its own from
// this one table. Nothing else converts between the two numberings.
inline constexpr std::array kCommandIds = {
    ID_FILE_NEW,   ID_FILE_OPEN,         ID_FILE_SAVE,    ID_EDIT_COPY, ID_EDIT_CUT,
    ID_EDIT_PASTE, ID_EDIT_UNDO,         ID_APP_ABOUT,    ID_APP_EXIT,  ID_NEXT_PANE,
    ID_PREV_PANE,  ID_OPTIONS_CROSSHAIR, ID_OPTIONS_GRID,
};

// Above wx's own reserved ids (up to 5999) and well below 0x7FFF.
inline constexpr int kFirstWxCommandId = 10000;

// The wx id of a command, or -1 for an id that is not a command.
constexpr int WxId(unsigned command) {
    for (std::size_t i = 0; i < kCommandIds.size(); ++i)
        if (kCommandIds[i] == command) return kFirstWxCommandId + static_cast<int>(i);
    return -1;
}

// The command a wx id stands for, or 0 for a wx id that is none of ours.
constexpr unsigned CommandFromWxId(int wxId) {
    const int index = wxId - kFirstWxCommandId;
    if (index < 0 || index >= static_cast<int>(kCommandIds.size())) return 0;
    return kCommandIds[static_cast<std::size_t>(index)];
}

}  // namespace bravok
