#include "platform/X11Display.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace bravok {

bool CanOpenXDisplay() {
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    return display != nullptr;
}

bool DisplayHasGlx(_XDisplay* display) {
    int errorBase = 0, eventBase = 0;
    return display != nullptr && glXQueryExtension(display, &errorBase, &eventBase);
}

void MakeNoContextCurrent() {
    if (glXGetCurrentContext() != nullptr) glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
}

Point PointerPosition(_XDisplay* display) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (display == nullptr || !XQueryPointer(display, DefaultRootWindow(display), &root, &child,
                                             &rootX, &rootY, &x, &y, &mask))
        return {};
    return {rootX, rootY};
}

void WarpPointer(_XDisplay* display, Point root) {
    if (display == nullptr) return;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, root.x, root.y);
    XFlush(display);
}

Point WindowOrigin(_XDisplay* display, unsigned long window) {
    Window child = 0;
    int x = 0, y = 0;
    if (display == nullptr || window == 0 ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return {};
    return {x, y};
}

Rect ScreenRect(_XDisplay* display) {
    if (display == nullptr) return {};
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

unsigned long BaseKeySym(_XDisplay* display, unsigned keycode) {
    if (display == nullptr || keycode < 8 || keycode > 255) return NoSymbol;
    return XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0);
}

VisualTraits DescribeVisual(const void* xVisualInfo) {
    VisualTraits traits;
    const auto* visual = static_cast<const XVisualInfo*>(xVisualInfo);
    if (visual == nullptr) return traits;
    traits.depth = visual->depth;
    traits.colourMapped = visual->c_class == PseudoColor || visual->c_class == GrayScale;
    return traits;
}

}  // namespace bravok
