#include <gtest/gtest.h>
#include <wx/event.h>

#include <tuple>

#include "app/AcceleratorResource.h"
#include "app/StringTable.h"
#include "app/Version.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

// The lookups the program makes, at both ends of the table and in between.
TEST(StringTable, LookupsGiveTheTextsTheProgramShows) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {CommandPrompt(ID_FILE_NEW), "Create a new document"},
        {CommandPrompt(ID_FILE_SAVE), "Save the active document"},
        {CommandPrompt(ID_APP_EXIT), "Quit the application; prompts to save documents"},
        {CommandPrompt(ID_APP_ABOUT), "Display program information, version number and copyright"},
        {CommandPrompt(0xEF13), "Activate Task List"},  // the last string, no short name
        {CommandPrompt(ID_OPTIONS_GRID), ""},           // a command with no string
        {MainFrameCaption(), "Bravok"},
        {AppName(), "Bravok"},
        {IdleMessage(), "Ready"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
    for (unsigned id : {0u, 0xE126u, ID_OPTIONS_CROSSHAIR, 0xFFFFu})
        EXPECT_FALSE(LoadString(id).has_value()) << std::hex << id;
}

TEST(VersionRecord, NamesVersionOneDotZero) {
    EXPECT_EQ(version::kAboutVersionLine, "Bravok Version 1.0");
    EXPECT_EQ(version::kFileVersion, "1, 0, 0, 1");
    EXPECT_EQ(version::kProductVersion, "1, 0, 0, 1");
}

// The 13 entries in their order as wx sees them.
TEST(MainFrameAccelerators, AreTheThirteenKeysInOrder) {
    const std::tuple<int, int, unsigned> expected[] = {
        {wxACCEL_CTRL, 'N', ID_FILE_NEW},           {wxACCEL_CTRL, 'O', ID_FILE_OPEN},
        {wxACCEL_CTRL, 'S', ID_FILE_SAVE},          {wxACCEL_CTRL, 'Z', ID_EDIT_UNDO},
        {wxACCEL_CTRL, 'X', ID_EDIT_CUT},           {wxACCEL_CTRL, 'C', ID_EDIT_COPY},
        {wxACCEL_CTRL, 'V', ID_EDIT_PASTE},         {wxACCEL_ALT, WXK_BACK, ID_EDIT_UNDO},
        {wxACCEL_SHIFT, WXK_DELETE, ID_EDIT_CUT},   {wxACCEL_CTRL, WXK_INSERT, ID_EDIT_COPY},
        {wxACCEL_SHIFT, WXK_INSERT, ID_EDIT_PASTE}, {wxACCEL_NORMAL, WXK_F6, ID_NEXT_PANE},
        {wxACCEL_SHIFT, WXK_F6, ID_PREV_PANE},
    };
    const auto entries = MainFrameAcceleratorEntries();
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(std::make_tuple(entries[i].GetFlags(), entries[i].GetKeyCode(),
                                  CommandFromWxId(entries[i].GetCommand())),
                  expected[i])
            << "entry " << i;
    }
}

}  // namespace
}  // namespace bravok
