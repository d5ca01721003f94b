#include "frame/KeyMap.h"

#include <wx/defs.h>

#include "platform/VirtualKeys.h"

namespace bravok {

int VirtualKeyFromWx(int wxKeyCode) {
    switch (wxKeyCode) {
        case WXK_SHIFT:
            return VK_SHIFT;
        case WXK_CONTROL:
            return VK_CONTROL;
        case WXK_ESCAPE:
            return VK_ESCAPE;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return VK_LEFT;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return VK_UP;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return VK_RIGHT;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return VK_DOWN;
        default:
            break;
    }
    if (wxKeyCode >= 'a' && wxKeyCode <= 'z') return wxKeyCode - 'a' + 'A';
    if ((wxKeyCode >= 'A' && wxKeyCode <= 'Z') || (wxKeyCode >= '0' && wxKeyCode <= '9'))
        return wxKeyCode;
    return -1;
}

}  // namespace bravok
