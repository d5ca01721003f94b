#include "EglContext.h"

#include <EGL/eglext.h>

namespace bravok::test {

EglContext::EglContext(int width, int height) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return;
    m_display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (m_display == EGL_NO_DISPLAY || !eglInitialize(m_display, nullptr, nullptr)) return;

    const EGLint configAttributes[][2] = {{EGL_SURFACE_TYPE, EGL_PBUFFER_BIT},
                                          {EGL_RED_SIZE, 8},
                                          {EGL_GREEN_SIZE, 8},
                                          {EGL_BLUE_SIZE, 8},
                                          {EGL_DEPTH_SIZE, 24},
                                          {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT},
                                          {EGL_NONE, EGL_NONE}};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(m_display, configAttributes[0], &config, 1, &count) || count < 1) return;
    if (!eglBindAPI(EGL_OPENGL_API)) return;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    m_surface = eglCreatePbufferSurface(m_display, config, surfaceAttributes);
    if (m_surface == EGL_NO_SURFACE) return;
    EGLContext context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return;
    if (!eglMakeCurrent(m_display, m_surface, m_surface, context)) {
        eglDestroyContext(m_display, context);
        return;
    }
    m_context = context;
    glViewport(0, 0, width, height);
}

EglContext::~EglContext() {
    if (m_display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
    if (m_surface != EGL_NO_SURFACE) eglDestroySurface(m_display, m_surface);
    // No eglTerminate: it unloads the driver, and the sanitizers could then no
    // longer tell the driver's own allocations from ours.
    eglReleaseThread();
}

std::array<int, 3> EglContext::Pixel(int x, int y) const {
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
