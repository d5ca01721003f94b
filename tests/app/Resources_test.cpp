#include <gtest/gtest.h>
#include <wx/event.h>

#include <map>
#include <string>

#include "app/AcceleratorResource.h"
#include "app/StringTable.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

// The lookups the program makes: a prompt ends before its command's short name,
// at the end of the table and past it.
TEST(StringTable, LookupsGiveTheTextsTheProgramShows) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {CommandPrompt(ID_FILE_NEW), "Create a new document"},  // "...\nNew"
        {CommandPrompt(0xEF13), "Activate Task List"},          // the last string, no short name
        {CommandPrompt(ID_OPTIONS_GRID), ""},                   // a command with no string
        {MainFrameCaption(), "Bravok"},
        {AppName(), "Bravok"},
        {IdleMessage(), "Ready"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
    for (unsigned id : {0u, 0xE126u, ID_OPTIONS_CROSSHAIR, 0xFFFFu})
        EXPECT_FALSE(LoadString(id).has_value()) << std::hex << id;
}

// Where the table meets wx: every entry on a key of its own, each kind of entry
// (each modifier, a letter, a named key, a function key) as wx's own
// accelerator names its key.
TEST(MainFrameAccelerators, ReachWxAsTheKeysTheyName) {
    std::map<std::string, unsigned> commandOf;
    for (const wxAcceleratorEntry& entry : MainFrameAcceleratorEntries())
        commandOf[entry.ToString().utf8_string()] = CommandFromWxId(entry.GetCommand());
    EXPECT_EQ(commandOf.size(), 13u);
    const std::pair<const char*, unsigned> kinds[] = {{"Ctrl+N", ID_FILE_NEW},
                                                      {"Alt+Backspace", ID_EDIT_UNDO},
                                                      {"Shift+Delete", ID_EDIT_CUT},
                                                      {"Ctrl+Insert", ID_EDIT_COPY},
                                                      {"F6", ID_NEXT_PANE}};
    for (const auto& [key, command] : kinds) EXPECT_EQ(commandOf[key], command) << key;
}

}  // namespace
}  // namespace bravok
