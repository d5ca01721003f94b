// The pointer on X, asked and moved over the toolkit's own connection.

#include "platform/Pointer.h"

#include <X11/Xlib.h>

namespace bravok {

namespace {

::Display* Connection(NativeDisplay display) {
    return static_cast<::Display*>(display.connection);
}

}  // namespace

Point PointerPosition(NativeDisplay display) {
    ::Display* x = Connection(display);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    if (x == nullptr ||
        !XQueryPointer(x, DefaultRootWindow(x), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
        return {};
    return {rootX, rootY};
}

void WarpPointer(NativeDisplay display, Point screen) {
    ::Display* x = Connection(display);
    if (x == nullptr) return;
    XWarpPointer(x, None, DefaultRootWindow(x), 0, 0, 0, 0, screen.x, screen.y);
    XFlush(x);
}

Point WindowOrigin(const NativeWindow& window) {
    ::Display* x = Connection(window.display);
    Window child = 0;
    int left = 0, top = 0;
    if (x == nullptr || window.handle == 0 ||
        !XTranslateCoordinates(x, static_cast<Window>(window.handle), DefaultRootWindow(x), 0, 0,
                               &left, &top, &child))
        return {};
    return {left, top};
}

Rect ScreenRect(NativeDisplay display) {
    ::Display* x = Connection(display);
    if (x == nullptr) return {};
    const int screen = DefaultScreen(x);
    return {0, 0, DisplayWidth(x, screen), DisplayHeight(x, screen)};
}

// X has no confinement a client may set short of a pointer grab, which the
// toolkit's capture holds already and which ends with any menu; the caller's
// putting-back does it all.
void ConfinePointer(std::optional<Rect>) {}

// X keeps no count of its own: the blank cursor the caller sets hides it.
void ShowSystemCursor(bool) {}

}  // namespace bravok
