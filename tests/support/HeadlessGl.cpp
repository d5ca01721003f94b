#include "HeadlessGl.h"

namespace bravok::test {

std::array<int, 3> HeadlessGlContext::Pixel(int x, int y) const {
    GLubyte rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

// The scene draws polygons and lines only; anything else is a fault of its own.
std::vector<FeedbackPrimitive> ParseFeedback(const std::vector<GLfloat>& b, GLint used) {
    std::vector<FeedbackPrimitive> primitives;
    for (GLint i = 0; i < used;) {
        FeedbackPrimitive p{static_cast<GLenum>(b[i++]), {}};
        const bool line = p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN;
        if (!line && p.token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << p.token;
            break;
        }
        for (int n = line ? 2 : static_cast<int>(b[i++]); n > 0; --n, i += 7)
            p.vertices.push_back(
                {b[i], b[i + 1], b[i + 2], b[i + 3], b[i + 4], b[i + 5], b[i + 6]});
        primitives.push_back(std::move(p));
    }
    return primitives;
}

}  // namespace bravok::test
