#include "platform/x11/KeySyms.h"

#include <X11/keysym.h>

#include <array>
#include <bitset>

#include "platform/VirtualKeys.h"

namespace bravok {

namespace {

bool IsLatinLetter(unsigned long keySym) {
    return (keySym >= XK_a && keySym <= XK_z) || (keySym >= XK_A && keySym <= XK_Z);
}

}  // namespace

int VirtualKeyFromKeySym(unsigned long keySym) {
    if (keySym >= XK_a && keySym <= XK_z) return static_cast<int>(keySym - XK_a) + VK_KEY_A;
    if (keySym >= XK_A && keySym <= XK_Z) return static_cast<int>(keySym - XK_A) + VK_KEY_A;
    if (keySym >= XK_0 && keySym <= XK_9) return static_cast<int>(keySym - XK_0) + '0';
    if (keySym >= XK_F1 && keySym <= XK_F24) return static_cast<int>(keySym - XK_F1) + VK_F1;
    switch (keySym) {
        case XK_Shift_L:
            return VK_LSHIFT;
        case XK_Shift_R:
            return VK_RSHIFT;
        case XK_Control_L:
            return VK_LCONTROL;
        case XK_Control_R:
            return VK_RCONTROL;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_BackSpace:
            return VK_BACK;
        case XK_Insert:
            return VK_INSERT;
        case XK_Delete:
            return VK_DELETE;
        case XK_Left:
        case XK_KP_Left:
            return VK_LEFT;
        case XK_Up:
        case XK_KP_Up:
            return VK_UP;
        case XK_Right:
        case XK_KP_Right:
            return VK_RIGHT;
        case XK_Down:
        case XK_KP_Down:
            return VK_DOWN;
        default:
            return -1;
    }
}

char UsLetterOfKeyName(std::string_view keyName) {
    // XKB names the alphanumeric keys by row (AD: the top letter row, AC: the
    // home row, AB: the bottom row) and by place in the row, from 01.
    constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kRows{{
        {"AD", "QWERTYUIOP"},
        {"AC", "ASDFGHJKL"},
        {"AB", "ZXCVBNM"},
    }};
    if (keyName.size() != 4) return 0;
    const char tens = keyName[2], ones = keyName[3];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return 0;
    const std::size_t place = static_cast<std::size_t>((tens - '0') * 10 + (ones - '0'));
    for (const auto& [row, letters] : kRows)
        if (keyName.starts_with(row) && place >= 1 && place <= letters.size())
            return letters[place - 1];
    return 0;
}

std::vector<int> VirtualKeysOfLayout(std::span<const LayoutKey> keys) {
    std::vector<int> virtualKeys;
    virtualKeys.reserve(keys.size());
    std::bitset<26> shown;
    for (const auto& key : keys) {
        virtualKeys.push_back(VirtualKeyFromKeySym(key.keySym));
        if (IsLatinLetter(key.keySym)) shown.set(virtualKeys.back() - VK_KEY_A);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char letter = keys[i].usLetter;
        if (letter < 'A' || letter > 'Z' || IsLatinLetter(keys[i].keySym)) continue;
        if (!shown[static_cast<std::size_t>(letter - 'A')]) virtualKeys[i] = letter;
    }
    return virtualKeys;
}

}  // namespace bravok
