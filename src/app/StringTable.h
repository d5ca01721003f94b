#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace bravok {

// One entry of the program's string table. For a command id, the text before "\n"
// is the command's status-bar prompt and the text after it its short name.
struct StringResource {
    unsigned id;
    std::string_view text;
};

// Every string the program carries, in ascending id order.
std::span<const StringResource> StringTable();

// The string with this id, or nothing for an id the table does not hold. The
// system's headers make LoadString a macro; it is set aside for the declaration
// and comes back after, so where they came first, call it as (LoadString)(id).
#pragma push_macro("LoadString")
#undef LoadString
std::optional<std::string_view> LoadString(unsigned id);
#pragma pop_macro("LoadString")

// A command's status-bar prompt: its string up to the first "\n"; empty for a
// command without a string.
std::string_view CommandPrompt(unsigned command);

// The main window's caption: the first field of the IDR_MAINFRAME string.
std::string_view MainFrameCaption();

// The application's name (AFX_IDS_APP_TITLE).
std::string_view AppName();

// The status bar's text while no menu item is highlighted (AFX_IDS_IDLEMESSAGE).
std::string_view IdleMessage();

}  // namespace bravok
