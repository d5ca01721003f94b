#pragma once

#include <EGL/egl.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace bravok::test {

// An OpenGL context on Mesa's surfaceless EGL platform drawing into a pbuffer,
// current on the calling thread while it lives: no X server needed.
class EglContext {
  public:
    EglContext(int width = 64, int height = 64);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool Ok() const { return m_context != EGL_NO_CONTEXT; }

    // The colour at (x, y), y counted from the bottom, as 0..255 RGB.
    std::array<int, 3> Pixel(int x, int y) const;

  private:
    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLSurface m_surface = EGL_NO_SURFACE;
    EGLContext m_context = EGL_NO_CONTEXT;
};

// A fixture that gives each test a fresh current context.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_gl.Ok()) << "no headless OpenGL context"; }
    EglContext m_gl;
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
