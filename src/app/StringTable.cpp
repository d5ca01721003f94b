#include "app/StringTable.h"

#include <algorithm>
#include <array>

#include "frame/CommandIds.h"

namespace bravok {

namespace {

// Ids of strings that only the table itself names: framework commands the program
// neither shows nor handles, the system-menu prompts and the status indicators.
constexpr unsigned ID_FILE_CLOSE = 0xE102;
constexpr unsigned ID_FILE_SAVE_AS = 0xE104;
constexpr unsigned ID_FILE_MRU_FILE1 = 0xE110;
constexpr unsigned ID_EDIT_CLEAR = 0xE120;
constexpr unsigned ID_EDIT_CLEAR_ALL = 0xE121;
constexpr unsigned ID_EDIT_FIND = 0xE124;
constexpr unsigned ID_EDIT_REPEAT = 0xE128;
constexpr unsigned ID_EDIT_REPLACE = 0xE129;
constexpr unsigned ID_EDIT_SELECT_ALL = 0xE12A;
constexpr unsigned ID_EDIT_REDO = 0xE12C;
constexpr unsigned ID_WINDOW_SPLIT = 0xE135;
constexpr unsigned ID_INDICATOR_EXT = 0xE700;
constexpr unsigned AFX_IDS_SCSIZE = 0xEF00;
constexpr unsigned AFX_IDS_SCMOVE = 0xEF01;
constexpr unsigned AFX_IDS_SCMINIMIZE = 0xEF02;
constexpr unsigned AFX_IDS_SCMAXIMIZE = 0xEF03;
constexpr unsigned AFX_IDS_SCNEXTWINDOW = 0xEF04;
constexpr unsigned AFX_IDS_SCPREVWINDOW = 0xEF05;
constexpr unsigned AFX_IDS_SCCLOSE = 0xEF06;
constexpr unsigned AFX_IDS_SCRESTORE = 0xEF12;
constexpr unsigned AFX_IDS_SCTASKLIST = 0xEF13;

constexpr std::string_view kOpenThisDocument = "Open this document";

constexpr auto kStrings = std::to_array<StringResource>({
    {IDR_MAINFRAME, "Bravok\n\nBravok\n\n\nBravok.Document\nBravok Document"},
    {AFX_IDS_APP_TITLE, "Bravok"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_MRU_FILE1 + 0, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 1, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 2, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 3, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 4, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 5, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 6, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 7, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 8, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 9, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 10, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 11, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 12, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 13, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 14, kOpenThisDocument},
    {ID_FILE_MRU_FILE1 + 15, kOpenThisDocument},
    {ID_EDIT_CLEAR, "Erase the selection\nErase"},
    {ID_EDIT_CLEAR_ALL, "Erase everything\nErase All"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_REPEAT, "Repeat the last action\nRepeat"},
    {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_WINDOW_SPLIT, "Split the active window into panes\nSplit"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_INDICATOR_EXT + 0, "EXT"},
    {ID_INDICATOR_EXT + 1, "CAP"},
    {ID_INDICATOR_EXT + 2, "NUM"},
    {ID_INDICATOR_EXT + 3, "SCRL"},
    {ID_INDICATOR_EXT + 4, "OVR"},
    {ID_INDICATOR_EXT + 5, "REC"},
    {AFX_IDS_SCSIZE, "Change the window size"},
    {AFX_IDS_SCMOVE, "Change the window position"},
    {AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
    {AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
    {AFX_IDS_SCNEXTWINDOW, "Switch to the next document window"},
    {AFX_IDS_SCPREVWINDOW, "Switch to the previous document window"},
    {AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents"},
    {AFX_IDS_SCRESTORE, "Restore the window to normal size"},
    {AFX_IDS_SCTASKLIST, "Activate Task List"},
});

static_assert(std::ranges::is_sorted(kStrings, {}, &StringResource::id),
              "the string table is searched by bisection");
static_assert(std::ranges::adjacent_find(kStrings, {}, &StringResource::id) == kStrings.end(),
              "each id names one string");

std::string_view FirstField(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

std::span<const StringResource> StringTable() {
    return kStrings;
}

std::optional<std::string_view> LoadString(unsigned id) {
    const auto found = std::ranges::lower_bound(kStrings, id, {}, &StringResource::id);
    if (found == kStrings.end() || found->id != id) return std::nullopt;
    return found->text;
}

std::string_view CommandPrompt(unsigned command) {
    return FirstField(LoadString(command).value_or(""));
}

std::string_view MainFrameCaption() {
    return FirstField(*LoadString(IDR_MAINFRAME));
}

std::string_view AppName() {
    return *LoadString(AFX_IDS_APP_TITLE);
}

std::string_view IdleMessage() {
    return *LoadString(AFX_IDS_IDLEMESSAGE);
}

}  // namespace bravok
