#include "frame/KeyMap.h"

#include <wx/defs.h>

#include <array>
#include <utility>

#include "platform/VirtualKeys.h"

namespace bravok {

namespace {

constexpr int kFunctionKeys = 24;

// wx key code, virtual key. The first entry of a virtual key is the way back.
constexpr auto kKeys = std::to_array<std::pair<int, int>>({
    {WXK_BACK, VK_BACK},
    {WXK_SHIFT, VK_LSHIFT},
    {WXK_CONTROL, VK_LCONTROL},
    {WXK_ESCAPE, VK_ESCAPE},
    {WXK_LEFT, VK_LEFT},
    {WXK_UP, VK_UP},
    {WXK_RIGHT, VK_RIGHT},
    {WXK_DOWN, VK_DOWN},
    {WXK_INSERT, VK_INSERT},
    {WXK_DELETE, VK_DELETE},
    {WXK_NUMPAD_LEFT, VK_LEFT},
    {WXK_NUMPAD_UP, VK_UP},
    {WXK_NUMPAD_RIGHT, VK_RIGHT},
    {WXK_NUMPAD_DOWN, VK_DOWN},
});

bool IsCharacterKey(int code) {
    return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
}

}  // namespace

int VirtualKeyFromWx(int wxKeyCode, bool rightHand) {
    if (wxKeyCode >= 'a' && wxKeyCode <= 'z') return wxKeyCode - 'a' + 'A';
    if (IsCharacterKey(wxKeyCode)) return wxKeyCode;
    if (wxKeyCode >= WXK_F1 && wxKeyCode < WXK_F1 + kFunctionKeys)
        return VK_F1 + (wxKeyCode - WXK_F1);
    for (const auto& [wx, vk] : kKeys) {
        if (wx != wxKeyCode) continue;
        if (vk == VK_LSHIFT && rightHand) return VK_RSHIFT;
        if (vk == VK_LCONTROL && rightHand) return VK_RCONTROL;
        return vk;
    }
    return -1;
}

int WxKeyCode(int virtualKey) {
    if (IsCharacterKey(virtualKey)) return virtualKey;
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + kFunctionKeys)
        return WXK_F1 + (virtualKey - VK_F1);
    if (virtualKey == VK_SHIFT || virtualKey == VK_RSHIFT) return WXK_SHIFT;
    if (virtualKey == VK_CONTROL || virtualKey == VK_RCONTROL) return WXK_CONTROL;
    for (const auto& [wx, vk] : kKeys)
        if (vk == virtualKey) return wx;
    return 0;
}

}  // namespace bravok
