#include "frame/XVisual.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace bravok {

VisualTraits DescribeVisual(const void* xVisualInfo) {
    VisualTraits traits;
    const auto* visual = static_cast<const XVisualInfo*>(xVisualInfo);
    if (visual == nullptr) return traits;
    traits.depth = visual->depth;
    traits.colourMapped = visual->c_class == PseudoColor || visual->c_class == GrayScale;
    return traits;
}

}  // namespace bravok

#include <GL/glx.h>

namespace bravok {

bool DisplayHasGlx() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    int errorBase = 0, eventBase = 0;
    const bool present = glXQueryExtension(display, &errorBase, &eventBase);
    XCloseDisplay(display);
    return present;
}

}  // namespace bravok
