// wxMSW: windows are known by their handle alone; the system has one display.

#include <wx/glcanvas.h>

#include "frame/NativeHandles.h"

namespace bravok {

NativeDisplay ToolkitDisplay() {
    return {};
}

NativeWindow NativeWindowOf(const wxGLCanvas& canvas) {
    return {ToolkitDisplay(), reinterpret_cast<std::uintptr_t>(canvas.GetHWND()), nullptr};
}

}  // namespace bravok
