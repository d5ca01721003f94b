#include "render/Projection.h"

#include <GL/gl.h>

namespace bravok {

void ApplyProjection(int cx, int cy, int hiddenBottom) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // About 53 degrees across and up: 2 * atan(1 / 2).
    glFrustum(-1.0, 1.0, -1.0, 1.0, 2.0, 60.0);
    glViewport(0, -hiddenBottom, cx, cy);
}

}  // namespace bravok
