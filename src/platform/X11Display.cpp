#include "platform/X11Display.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace bravok {

bool CanOpenXDisplay() {
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr),
                                                              XCloseDisplay);
    return display != nullptr;
}

bool DisplayHasGlx(_XDisplay* display) {
    int errorBase = 0, eventBase = 0;
    return display != nullptr && glXQueryExtension(display, &errorBase, &eventBase);
}

void MakeNoContextCurrent() {
    if (glXGetCurrentContext() != nullptr) glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
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
