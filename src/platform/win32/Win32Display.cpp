// The display on Windows: one desktop, always there for a program with a
// window; OpenGL through WGL, which the toolkit's canvas sets up.

#include "platform/Display.h"

#include <windows.h>

namespace bravok {

namespace {

HWND Handle(const NativeWindow& window) {
    return reinterpret_cast<HWND>(window.handle);
}

}  // namespace

std::optional<std::string> PrepareDisplay() {
    return std::nullopt;
}

// Every Windows desktop has OpenGL 1.1, in software at least; whether it offers
// a drawing surface with a depth buffer is asked when the canvas is made.
bool DisplayHasOpenGL(NativeDisplay) {
    return true;
}

void MakeNoContextCurrent() {
    if (wglGetCurrentContext() != nullptr) wglMakeCurrent(nullptr, nullptr);
}

VisualTraits DescribeVisual(const NativeWindow& window) {
    VisualTraits traits;
    HDC dc = GetDC(Handle(window));
    if (dc == nullptr) return traits;
    // The pixel format the canvas set on its window, as the system describes it.
    PIXELFORMATDESCRIPTOR described{};
    if (const int format = GetPixelFormat(dc);
        format > 0 && DescribePixelFormat(dc, format, sizeof described, &described) != 0) {
        traits.depth = described.cColorBits;
        traits.colourMapped = (described.dwFlags & PFD_NEED_PALETTE) != 0;
    }
    ReleaseDC(Handle(window), dc);
    return traits;
}

KeySide SideOfKey(NativeDisplay, unsigned rawKeyFlags) {
    // The raw flags are the key message's: the scan code in bits 16 to 23, and
    // bit 24 for the keys of the extended set, the right Ctrl among them. The
    // two Shift keys have scan codes of their own, which the system's table
    // names.
    const unsigned scanCode = (rawKeyFlags >> 16) & 0xFF;
    const bool extended = (rawKeyFlags >> 24) & 1;
    const UINT key = MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK_EX);
    const bool ctrl = key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
    return key == VK_RSHIFT || (ctrl && extended) ? KeySide::Right : KeySide::Left;
}

}  // namespace bravok
