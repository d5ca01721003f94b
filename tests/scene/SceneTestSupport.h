#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "TempDir.h"

namespace bravok::test {

// Scene tests enter their folder: the model reads its mesh by a relative name.
struct ScopedTempDir : TempDir {
    ScopedTempDir() : TempDir(true) {}
};

inline std::array<float, 16> CurrentMatrix(GLenum which = GL_MODELVIEW_MATRIX) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

// Where the current model-view matrix takes a point (column-major, w = 1).
inline std::array<double, 3> Transform(const std::array<float, 16>& m, double x, double y,
                                       double z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

}  // namespace bravok::test
