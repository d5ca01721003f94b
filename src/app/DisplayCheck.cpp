#include "app/DisplayCheck.h"

#include <X11/Xlib.h>

namespace bravok {

bool CanOpenXDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace bravok
