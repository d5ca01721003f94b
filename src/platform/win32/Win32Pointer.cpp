// The pointer on Windows, through the system's own cursor services: the
// system confines it and counts its showing and hiding itself.

#include "platform/Pointer.h"

#include <windows.h>

namespace bravok {

Point PointerPosition(NativeDisplay) {
    POINT at{};
    if (!GetCursorPos(&at)) return {};
    return {at.x, at.y};
}

void WarpPointer(NativeDisplay, Point screen) {
    SetCursorPos(screen.x, screen.y);
}

Point WindowOrigin(const NativeWindow& window) {
    POINT origin{};
    if (window.handle == 0 || !ClientToScreen(reinterpret_cast<HWND>(window.handle), &origin))
        return {};
    return {origin.x, origin.y};
}

Rect ScreenRect(NativeDisplay) {
    // The whole desktop, every monitor of it.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void ConfinePointer(std::optional<Rect> screenRect) {
    if (!screenRect) {
        ClipCursor(nullptr);
        return;
    }
    const RECT clip{screenRect->left, screenRect->top, screenRect->right, screenRect->bottom};
    ClipCursor(&clip);
}

void ShowSystemCursor(bool show) {
    ShowCursor(show ? TRUE : FALSE);
}

}  // namespace bravok
