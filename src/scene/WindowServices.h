#pragma once

#include "platform/Geometry.h"

namespace bravok {

class AsyncKeyTable;
class ISoundService;

// What the input worker needs of the window that owns it, callable from the
// worker's own thread. Implementations never call into the window toolkit from
// the calling thread: positions come from a snapshot the window's thread keeps,
// and cursor moves and repaints are posted to the window's thread. None of these
// calls may wait for the window's thread, since the worker makes them while it
// holds a lock the painting code also takes.
class IWindowServices {
  public:
    virtual ~IWindowServices() = default;

    // The client area; left and top are 0.
    virtual Rect GetClientRect() const = 0;
    // The cursor position in screen coordinates.
    virtual Point GetCursorPos() const = 0;
    virtual Point ScreenToClient(Point screen) const = 0;
    virtual Point ClientToScreen(Point client) const = 0;
    virtual void SetCursorPos(Point screen) = 0;
    // Asks for a repaint of the whole client area; repeated requests before the
    // paint arrives give one paint.
    virtual void InvalidateRect() = 0;

    // The keyboard and mouse-button state the window records.
    virtual AsyncKeyTable& GetKeyTable() = 0;
    virtual ISoundService& GetSoundService() = 0;
};

}  // namespace bravok
