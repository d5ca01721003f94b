// wxGTK on X11: the toolkit's X connection, the canvas's X window and the
// visual its OpenGL drawable was made with.

#include <wx/glcanvas.h>
#include <wx/utils.h>

#include "frame/NativeHandles.h"

namespace bravok {

NativeDisplay ToolkitDisplay() {
    return {wxGetX11Display()};
}

NativeWindow NativeWindowOf(const wxGLCanvas& canvas) {
    return {ToolkitDisplay(), static_cast<std::uintptr_t>(canvas.GetXWindow()),
            canvas.GetXVisualInfo()};
}

}  // namespace bravok
