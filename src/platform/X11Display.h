#pragma once

// The one place that speaks to the X server directly; nothing else includes
// Xlib, whose macros clash with wx's. Connections are passed in as the opaque
// pointer the toolkit hands out (its own connection), so the game asks the
// server over the connection it already has.

#include "platform/Geometry.h"

struct _XDisplay;

namespace bravok {

struct VisualTraits {
    int depth = 0;              // colour bits per pixel
    bool colourMapped = false;  // colours come from a colour map: needs a palette
};

// Whether an X display can be opened (DISPLAY set and the server answering);
// asked before the toolkit starts, over a connection of its own that is closed
// again at once.
bool CanOpenXDisplay();

// Whether the server behind `display` offers OpenGL at all (the GLX extension).
bool DisplayHasGlx(_XDisplay* display);

// Leaves the calling thread with no OpenGL context current, so the context is
// current only inside the handlers that draw. wx offers no way to release a
// context; on X the canvas uses GLX.
void MakeNoContextCurrent();

// The pointer in the display's own pixels, as the X server reports and takes
// it. With a scaled desktop (GDK_SCALE=2) the toolkit's logical positions are
// halves, rounded; warping with them and reading back drifts by a pixel a
// time, so mouse-look works in these instead.
Point PointerPosition(_XDisplay* display);
void WarpPointer(_XDisplay* display, Point root);
// Where a window's top-left corner lies on the screen, in the display's pixels.
Point WindowOrigin(_XDisplay* display, unsigned long window);
// The whole screen, in the display's pixels.
Rect ScreenRect(_XDisplay* display);

// The key symbol a key's hardware code names with no modifier applied:
// Shift_R for the right Shift key whatever else is held. (The symbol the
// toolkit reports follows the modifiers, and tells the two keys apart badly.)
unsigned long BaseKeySym(_XDisplay* display, unsigned keycode);

// What an X visual (an XVisualInfo, as wx hands it out) is like.
VisualTraits DescribeVisual(const void* xVisualInfo);

}  // namespace bravok
