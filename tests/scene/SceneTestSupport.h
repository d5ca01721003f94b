#pragma once

#include <GL/gl.h>

#include <array>

#include "TempDir.h"

namespace bravok::test {

// Scene tests enter their folder: the model reads its mesh by a relative name.
struct ScopedTempDir : TempDir {
    ScopedTempDir() : TempDir(true) {}
};

inline std::array<float, 16> CurrentMatrix() {
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

}  // namespace bravok::test
