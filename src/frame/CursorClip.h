#pragma once

#include <algorithm>
#include <optional>

#include "platform/Geometry.h"

namespace bravok {

// The confinement and visibility rules of the mouse cursor, without a window
// system: a clip rectangle that every position is held inside (right and bottom
// exclusive, so the last column and row can be reached but not passed), and the
// display counter that hides the cursor while it is negative.
class CursorClip {
  public:
    void Clip(std::optional<Rect> screenRect) { m_clip = screenRect; }
    const std::optional<Rect>& ClipRect() const { return m_clip; }

    Point Clamp(Point p) const { return ClampInto(p, m_clip); }

    static Point ClampInto(Point p, const std::optional<Rect>& clip) {
        if (!clip || clip->right <= clip->left || clip->bottom <= clip->top) return p;
        return {std::clamp(p.x, clip->left, clip->right - 1),
                std::clamp(p.y, clip->top, clip->bottom - 1)};
    }

    // Returns the new display count.
    int Show(bool show) { return show ? ++m_displayCount : --m_displayCount; }
    int DisplayCount() const { return m_displayCount; }
    bool Visible() const { return m_displayCount >= 0; }

  private:
    std::optional<Rect> m_clip;
    int m_displayCount = 0;
};

}  // namespace bravok
