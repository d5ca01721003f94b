#pragma once

namespace bravok {

// Sets the projection for a client area of cx x cy pixels: the same frustum
// whatever the shape (the picture stretches), and a viewport over the whole
// area. hiddenBottom is how many of the area's bottom rows lie outside the
// drawable, under the status bar: the viewport reaches down under them.
// Leaves the matrix mode at GL_PROJECTION.
void ApplyProjection(int cx, int cy, int hiddenBottom = 0);

}  // namespace bravok
