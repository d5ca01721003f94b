#include "EglContext.h"

#include <EGL/eglext.h>

namespace bravok::test {

EglContext::EglContext(int width, int height) : m_width(width), m_height(height) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return;
    m_display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (m_display == EGL_NO_DISPLAY || !eglInitialize(m_display, nullptr, nullptr)) return;

    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(m_display, configAttributes, &config, 1, &count) || count < 1) return;
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

std::vector<FeedbackPrimitive> ParseFeedback(const std::vector<GLfloat>& buffer, GLint used) {
    std::vector<FeedbackPrimitive> primitives;
    auto readVertex = [&buffer](GLint& i) {
        FeedbackVertex v{};
        v.x = buffer[i++];
        v.y = buffer[i++];
        v.z = buffer[i++];
        v.r = buffer[i++];
        v.g = buffer[i++];
        v.b = buffer[i++];
        v.a = buffer[i++];
        return v;
    };
    for (GLint i = 0; i < used;) {
        FeedbackPrimitive primitive{static_cast<GLenum>(buffer[i++]), {}};
        int count = 0;
        switch (primitive.token) {
            case GL_POLYGON_TOKEN:
                count = static_cast<int>(buffer[i++]);
                break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN:
                count = 2;
                break;
            case GL_POINT_TOKEN:
            case GL_BITMAP_TOKEN:
            case GL_DRAW_PIXEL_TOKEN:
            case GL_COPY_PIXEL_TOKEN:
                count = 1;
                break;
            case GL_PASS_THROUGH_TOKEN:
                ++i;
                continue;
            default:
                ADD_FAILURE() << "unexpected feedback token " << primitive.token;
                return primitives;
        }
        for (int k = 0; k < count; ++k) primitive.vertices.push_back(readVertex(i));
        primitives.push_back(std::move(primitive));
    }
    return primitives;
}

}  // namespace bravok::test
