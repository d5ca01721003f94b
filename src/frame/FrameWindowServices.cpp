#include "frame/FrameWindowServices.h"

#include "frame/CursorClip.h"

namespace bravok {

FrameWindowServices::FrameWindowServices(AsyncKeyTable& keys, ISoundService& sound,
                                         std::function<void(Work)> post,
                                         std::function<void(Point)> warp, Work repaint)
    : m_keys(keys),
      m_sound(sound),
      m_post(std::move(post)),
      m_warp(std::move(warp)),
      m_repaint(std::move(repaint)) {}

Rect FrameWindowServices::GetClientRect() const {
    std::scoped_lock lock(m_lock);
    return m_client;
}

Point FrameWindowServices::GetCursorPos() const {
    std::scoped_lock lock(m_lock);
    return m_cursor;
}

Point FrameWindowServices::ScreenToClient(Point screen) const {
    std::scoped_lock lock(m_lock);
    return {screen.x - m_origin.x, screen.y - m_origin.y};
}

Point FrameWindowServices::ClientToScreen(Point client) const {
    std::scoped_lock lock(m_lock);
    return {client.x + m_origin.x, client.y + m_origin.y};
}

void FrameWindowServices::SetCursorPos(Point screen) {
    Point held;
    {
        // The next read sees the new position at once, as it would after a
        // real move; the pointer itself follows on the window's thread.
        std::scoped_lock lock(m_lock);
        held = CursorClip::ClampInto(screen, m_clip);
        m_cursor = held;
    }
    m_post([this, held] { m_warp(held); });
}

void FrameWindowServices::InvalidateRect() {
    // Requests that arrive before the paint add nothing: one paint shows them all.
    if (m_repaintPending.exchange(true)) return;
    m_post([this] {
        m_repaintPending = false;
        m_repaint();
    });
}

void FrameWindowServices::SetClientArea(Rect client) {
    std::scoped_lock lock(m_lock);
    m_client = client;
}

void FrameWindowServices::SetOrigin(Point origin) {
    std::scoped_lock lock(m_lock);
    m_origin = origin;
}

void FrameWindowServices::SetCursor(Point screen) {
    std::scoped_lock lock(m_lock);
    m_cursor = screen;
}

void FrameWindowServices::SetClip(std::optional<Rect> screenRect) {
    std::scoped_lock lock(m_lock);
    m_clip = screenRect;
    m_cursor = CursorClip::ClampInto(m_cursor, m_clip);
}

Rect FrameWindowServices::ClientRectOnScreen() const {
    std::scoped_lock lock(m_lock);
    return {m_origin.x, m_origin.y, m_origin.x + m_client.right, m_origin.y + m_client.bottom};
}

}  // namespace bravok
