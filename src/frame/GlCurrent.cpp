#include "frame/GlCurrent.h"

#include <GL/glx.h>

namespace bravok {

void MakeNoContextCurrent() {
    // wx offers no way to release a context; on X the canvas uses GLX.
    if (glXGetCurrentContext() != nullptr) glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
}

}  // namespace bravok
