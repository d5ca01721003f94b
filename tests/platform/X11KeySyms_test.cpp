#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/x11/KeySyms.h"

namespace bravok {
namespace {

// The keys of the X keyboard: left and right apart, letters whatever their case.
TEST(X11Keyboard, KnowsTheGamesKeysByTheirSymbols) {
    const std::pair<unsigned long, int> symbols[] = {
        {XK_Shift_L, VK_LSHIFT}, {XK_Shift_R, VK_RSHIFT}, {XK_Control_R, VK_RCONTROL},
        {XK_a, VK_KEY_A},        {XK_Z, VK_KEY_Z},        {XK_KP_Left, VK_LEFT},
        {XK_F10, VK_F1 + 9},     {XK_Return, -1}};
    for (const auto& [symbol, vk] : symbols) EXPECT_EQ(VirtualKeyFromKeySym(symbol), vk) << symbol;
}

TEST(X11Keyboard, KnowsTheLetterAtEachPlaceOfAUsKeyboard) {
    const std::pair<const char*, char> names[] = {
        {"AD01", 'Q'}, {"AD10", 'P'}, {"AC01", 'A'}, {"AC09", 'L'}, {"AC10", 0}, {"AB01", 'Z'},
        {"AB07", 'M'}, {"AB08", 0},   {"AE01", 0},   {"AC00", 0},   {"LFSH", 0}, {"AC1", 0}};
    for (const auto& [name, letter] : names) EXPECT_EQ(UsLetterOfKeyName(name), letter) << name;
}

// Part of a keyboard as a layout shows it: each key's symbol and the letter at
// its place on a US keyboard, with the virtual key it must stand for.
struct LayoutCase {
    const char* layout;
    std::vector<std::pair<LayoutKey, int>> keys;
    friend void PrintTo(const LayoutCase& layout, std::ostream* out) { *out << layout.layout; }
};

class X11KeyboardLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(X11KeyboardLayout, GivesEachKeyTheVirtualKeyWindowsWould) {
    std::vector<LayoutKey> keys;
    for (const auto& [key, vk] : GetParam().keys) keys.push_back(key);
    const std::vector<int> virtualKeys = VirtualKeysOfLayout(keys);
    ASSERT_EQ(virtualKeys.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(virtualKeys[i], GetParam().keys[i].second) << "keycode " << keys[i].keycode;
}

INSTANTIATE_TEST_SUITE_P(Layouts, X11KeyboardLayout,
                         testing::Values(
                             // No Latin letters: the letters come from their US places.
                             LayoutCase{"ru",
                                        {{{38, XK_Cyrillic_ef, 'A'}, VK_KEY_A},
                                         {{52, XK_Cyrillic_ya, 'Z'}, VK_KEY_Z},
                                         {{50, XK_Shift_L, 0}, VK_LSHIFT},
                                         {{111, XK_Up, 0}, VK_UP}}},
                             // Latin letters elsewhere than on a US keyboard: the key shows it.
                             LayoutCase{"fr",
                                        {{{24, XK_a, 'Q'}, VK_KEY_A},
                                         {{38, XK_q, 'A'}, 'Q'},
                                         {{25, XK_z, 'W'}, VK_KEY_Z},
                                         {{52, XK_w, 'Z'}, 'W'},
                                         {{47, XK_m, 0}, 'M'},
                                         {{58, XK_comma, 'M'}, -1}}},
                             // A letter shown elsewhere leaves its US place without one.
                             LayoutCase{"dvorak",
                                        {{{52, XK_semicolon, 'Z'}, -1},
                                         {{61, XK_z, 0}, VK_KEY_Z},
                                         {{38, XK_a, 'A'}, VK_KEY_A}}},
                             // The keypad with NumLock on: digits, no arrows.
                             LayoutCase{"keypad with NumLock",
                                        {{{80, XK_KP_8, 0}, -1},
                                         {{83, XK_KP_4, 0}, -1},
                                         {{88, XK_KP_Down, 0}, VK_DOWN}}}),
                         [](const auto& info) {
                             std::string name = info.param.layout;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace bravok
