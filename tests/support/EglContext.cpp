#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "HeadlessGl.h"

namespace bravok::test {

struct HeadlessGlContext::Handles {
    EGLDisplay display;
    EGLSurface surface;
    EGLContext context;
};

HeadlessGlContext::HeadlessGlContext(int width, int height) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return;
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return;

    const EGLint configAttributes[][2] = {{EGL_SURFACE_TYPE, EGL_PBUFFER_BIT},
                                          {EGL_RED_SIZE, 8},
                                          {EGL_GREEN_SIZE, 8},
                                          {EGL_BLUE_SIZE, 8},
                                          {EGL_DEPTH_SIZE, 24},
                                          {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT},
                                          {EGL_NONE, EGL_NONE}};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes[0], &config, 1, &count) || count < 1) return;
    if (!eglBindAPI(EGL_OPENGL_API)) return;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) return;
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglDestroySurface(display, surface);
        return;
    }
    m_handles.reset(new Handles{display, surface, context});
    glViewport(0, 0, width, height);
}

HeadlessGlContext::~HeadlessGlContext() {
    if (!m_handles) return;
    eglMakeCurrent(m_handles->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(m_handles->display, m_handles->context);
    eglDestroySurface(m_handles->display, m_handles->surface);
    // No eglTerminate: it unloads the driver, and the sanitizers could then no
    // longer tell the driver's own allocations from ours.
    eglReleaseThread();
}

}  // namespace bravok::test
