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
