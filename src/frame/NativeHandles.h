#pragma once

#include "platform/NativeWindow.h"

class wxGLCanvas;

namespace bravok {

// The toolkit's own display and window handles, for the platform's backends;
// one file per toolkit port (gtk/, msw/) says where the toolkit keeps them.
NativeDisplay ToolkitDisplay();
NativeWindow NativeWindowOf(const wxGLCanvas& canvas);

}  // namespace bravok
