#pragma once

namespace bravok {

// Leaves the calling thread with no OpenGL context current, so the context is
// current only inside the handlers that draw.
void MakeNoContextCurrent();

}  // namespace bravok
