#include <windows.h>

#include "HeadlessGl.h"

namespace bravok::test {

// A hidden window whose device context carries the pixel format: WGL draws only
// through a window's DC. The window is never shown, so the back buffer is the
// surface that glReadPixels reads.
struct HeadlessGlContext::Handles {
    HWND window;
    HDC dc;
    HGLRC context;
};

namespace {

const wchar_t kWindowClass[] = L"BravokHeadlessGl";

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    return registered;
}

}  // namespace

HeadlessGlContext::HeadlessGlContext(int width, int height) {
    if (!RegisterWindowClass()) return;
    HWND window = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, width, height, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return;
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 24;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &wanted);
    HGLRC context = nullptr;
    if (format != 0 && SetPixelFormat(dc, format, &wanted)) context = wglCreateContext(dc);
    if (context == nullptr || !wglMakeCurrent(dc, context)) {
        if (context != nullptr) wglDeleteContext(context);
        ReleaseDC(window, dc);
        DestroyWindow(window);
        return;
    }
    m_handles.reset(new Handles{window, dc, context});
    glViewport(0, 0, width, height);
}

HeadlessGlContext::~HeadlessGlContext() {
    if (!m_handles) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(m_handles->context);
    ReleaseDC(m_handles->window, m_handles->dc);
    DestroyWindow(m_handles->window);
}

}  // namespace bravok::test
