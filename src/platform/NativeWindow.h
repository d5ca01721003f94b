#pragma once

#include <cstdint>

namespace bravok {

// The display and a window as the window toolkit knows them natively, handed to
// the platform's backends in opaque form, so no system type reaches the game's
// own headers. Each backend reads the fields its system fills in.
struct NativeDisplay {
    void* connection = nullptr;  // X: the toolkit's own Display*; Windows: none
};

struct NativeWindow {
    NativeDisplay display;
    std::uintptr_t handle = 0;     // X: the window's id; Windows: its HWND
    const void* visual = nullptr;  // X: the XVisualInfo of its drawable; Windows: none
};

}  // namespace bravok
