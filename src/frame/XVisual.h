#pragma once

namespace bravok {

struct VisualTraits {
    int depth = 0;              // colour bits per pixel
    bool colourMapped = false;  // colours come from a colour map: needs a palette
};

// What an X visual (an XVisualInfo, as wx hands it out) is like. Kept apart from
// the window code because the X headers' macros clash with wx's.
VisualTraits DescribeVisual(const void* xVisualInfo);

}  // namespace bravok

namespace bravok {

// Whether the X server offers OpenGL at all (the GLX extension). wx asserts
// rather than failing when asked about drawables on a server without it.
bool DisplayHasGlx();

}  // namespace bravok
