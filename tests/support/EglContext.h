#pragma once

#include <EGL/egl.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace bravok::test {

// An OpenGL compatibility context on Mesa's surfaceless EGL platform, current on
// the calling thread for the object's life, drawing into a small pbuffer: no X
// server needed.
class EglContext {
  public:
    EglContext(int width = 64, int height = 64);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool Ok() const { return m_context != EGL_NO_CONTEXT; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The colour at (x, y), y counted from the bottom, as 0..255 RGB.
    std::array<int, 3> Pixel(int x, int y) const;

  private:
    int m_width;
    int m_height;
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

// One primitive as OpenGL's feedback mode reports it: its type token and its
// vertices in window coordinates, each with its colour.
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
};
struct FeedbackPrimitive {
    GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN, ...
    std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode (GL_3D_COLOR) and returns what it produced.
template <typename Draw>
std::vector<FeedbackPrimitive> CaptureFeedback(Draw draw);
std::vector<FeedbackPrimitive> ParseFeedback(const std::vector<GLfloat>& buffer, GLint used);

template <typename Draw>
std::vector<FeedbackPrimitive> CaptureFeedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    return ParseFeedback(buffer, used);
}

}  // namespace bravok::test
