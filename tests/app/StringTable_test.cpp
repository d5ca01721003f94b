#include "app/StringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/CommandIds.h"

namespace bravok {
namespace {

struct ExactString {
    unsigned id;
    std::string_view text;
};

TEST(StringTable, HoldsTheProgramsOwnStringsExactly) {
    const ExactString expected[] = {
        {128, "Bravok\n\nBravok\n\n\nBravok.Document\nBravok Document"},
        {0xE000, "Bravok"},
        {0xE001, "Ready"},
        {0xE100, "Create a new document\nNew"},
        {0xE101, "Open an existing document\nOpen"},
        {0xE103, "Save the active document\nSave"},
        {0xE141, "Quit the application; prompts to save documents\nExit"},
        {0xEF00, "Change the window size"},
        {0xEF01, "Change the window position"},
        {0xEF02, "Reduce the window to an icon"},
        {0xEF03, "Enlarge the window to full size"},
        {0xEF04, "Switch to the next document window"},
        {0xEF05, "Switch to the previous document window"},
        {0xEF06, "Close the active window and prompts to save the documents"},
        {0xEF12, "Restore the window to normal size"},
        {0xEF13, "Activate Task List"},
        {0xE700, "EXT"},
        {0xE701, "CAP"},
        {0xE702, "NUM"},
        {0xE703, "SCRL"},
        {0xE704, "OVR"},
        {0xE705, "REC"},
    };
    for (const ExactString& string : expected) {
        SCOPED_TRACE(testing::Message() << std::hex << "id 0x" << string.id);
        ASSERT_TRUE(LoadString(string.id).has_value());
        EXPECT_EQ(*LoadString(string.id), string.text);
    }
}

TEST(StringTable, EverySixteenRecentFileEntriesOpenThisDocument) {
    for (unsigned id = 0xE110; id <= 0xE11F; ++id)
        EXPECT_EQ(LoadString(id).value_or(""), "Open this document") << std::hex << id;
}

// The framework's command strings carry a prompt and a short name, one line each.
TEST(StringTable, CommandStringsHaveAPromptAndAShortName) {
    std::set<unsigned> commands = {0xE100, 0xE101, 0xE102, 0xE103, 0xE104,
                                   0xE135, 0xE140, 0xE141, 0xE150, 0xE151};
    for (unsigned id = 0xE120; id <= 0xE125; ++id) commands.insert(id);
    for (unsigned id = 0xE128; id <= 0xE12C; ++id) commands.insert(id);
    for (unsigned id : commands) {
        SCOPED_TRACE(testing::Message() << std::hex << "id 0x" << id);
        const std::string_view text = LoadString(id).value_or("");
        const auto newline = text.find('\n');
        ASSERT_NE(newline, std::string_view::npos);
        EXPECT_GT(newline, 0u) << "empty prompt";
        EXPECT_LT(newline + 1, text.size()) << "empty short name";
        EXPECT_EQ(text.find('\n', newline + 1), std::string_view::npos);
    }
    EXPECT_TRUE(LoadString(ID_APP_ABOUT).value_or("").ends_with("\nAbout"));
}

// Exactly the strings the program names, no more: the classic string ids.
TEST(StringTable, HoldsExactlyTheNamedIds) {
    std::set<unsigned> expected = {128,    0xE000, 0xE001, 0xE100, 0xE101, 0xE102, 0xE103, 0xE104,
                                   0xE135, 0xE140, 0xE141, 0xE150, 0xE151, 0xEF12, 0xEF13};
    const std::pair<unsigned, unsigned> ranges[] = {
        {0xE110, 0xE11F}, {0xE120, 0xE125}, {0xE128, 0xE12C}, {0xE700, 0xE705}, {0xEF00, 0xEF06}};
    for (auto [first, last] : ranges)
        for (unsigned id = first; id <= last; ++id) expected.insert(id);

    std::set<unsigned> actual;
    for (const StringResource& string : StringTable()) actual.insert(string.id);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(StringTable().size(), expected.size()) << "an id appears twice";
}

TEST(StringTable, IdsWithoutAStringLoadNothing) {
    for (unsigned id : {0u, 1u, 100u, 129u, 0xE10Fu, 0xE126u, 0xE127u, ID_OPTIONS_CROSSHAIR,
                        ID_OPTIONS_GRID, 0xE706u, 0xEF07u, 0xFFFFu})
        EXPECT_FALSE(LoadString(id).has_value()) << std::hex << id;
}

TEST(StringTable, CommandPromptIsTheTextBeforeTheFirstNewline) {
    EXPECT_EQ(CommandPrompt(ID_FILE_NEW), "Create a new document");
    EXPECT_EQ(CommandPrompt(ID_FILE_SAVE), "Save the active document");
    EXPECT_EQ(CommandPrompt(ID_APP_EXIT), "Quit the application; prompts to save documents");
    EXPECT_EQ(CommandPrompt(0xEF00), "Change the window size") << "a string with no short name";
    EXPECT_EQ(CommandPrompt(ID_OPTIONS_GRID), "") << "a command with no string";
}

TEST(StringTable, CaptionAppNameAndIdleMessage) {
    EXPECT_EQ(MainFrameCaption(), "Bravok");
    EXPECT_EQ(AppName(), "Bravok");
    EXPECT_EQ(IdleMessage(), "Ready");
}

}  // namespace
}  // namespace bravok
