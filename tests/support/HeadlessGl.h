#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace bravok::test {

// An OpenGL context current on the calling thread while it lives, drawing into
// an off-screen surface of the given size: on Linux Mesa's surfaceless EGL
// platform with a pbuffer (no X server needed), on Windows WGL on a hidden
// window (EglContext.cpp, WglContext.cpp).
class HeadlessGlContext {
  public:
    HeadlessGlContext(int width = 64, int height = 64);
    ~HeadlessGlContext();
    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

    bool Ok() const { return m_handles != nullptr; }

    // The colour at (x, y), y counted from the bottom, as 0..255 RGB.
    std::array<int, 3> Pixel(int x, int y) const;

  private:
    struct Handles;  // the system's own, set only once the context is current
    std::unique_ptr<Handles> m_handles;
};

// A fixture that gives each test a fresh current context.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_gl.Ok()) << "no headless OpenGL context"; }
    HeadlessGlContext m_gl;
};

// A polygon or line from feedback mode: its token, its corners in window coordinates.
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
    bool operator==(const FeedbackVertex&) const = default;
};
struct FeedbackPrimitive {
    GLenum token;
    std::vector<FeedbackVertex> vertices;
};

std::vector<FeedbackPrimitive> ParseFeedback(const std::vector<GLfloat>& buffer, GLint used);

// Runs draw in feedback mode (GL_3D_COLOR) and returns what it produced.
template <typename Draw>
std::vector<FeedbackPrimitive> CaptureFeedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    return ParseFeedback(buffer, glRenderMode(GL_RENDER));
}

}  // namespace bravok::test
