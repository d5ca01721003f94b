#pragma once

// The mouse pointer, in the game's own terms; one backend per system.
// Positions are in the display's own pixels: with a scaled desktop
// (GDK_SCALE=2) the toolkit's logical positions are halves, rounded, and
// warping with them and reading back drifts by a pixel a time, so mouse-look
// works in these instead.

#include <optional>

#include "platform/Geometry.h"
#include "platform/NativeWindow.h"

namespace bravok {

Point PointerPosition(NativeDisplay display);
void WarpPointer(NativeDisplay display, Point screen);
// Where a window's top-left corner lies on the screen.
Point WindowOrigin(const NativeWindow& window);
// The whole screen.
Rect ScreenRect(NativeDisplay display);

// Asks the system to hold the pointer inside `screenRect` (nothing: free it),
// where the system can. X lets no client do that: there the caller keeps the
// pointer in by putting it back whenever it leaves, which it does on every
// system, so a pointer the system let slip is caught too.
void ConfinePointer(std::optional<Rect> screenRect);

// Shows or hides the system's own cursor where the system counts showing and
// hiding itself; the caller also sets a blank cursor on its window, which is
// how X hides one.
void ShowSystemCursor(bool show);

}  // namespace bravok
