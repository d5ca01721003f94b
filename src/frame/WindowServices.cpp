#include "frame/MainFrame.h"

#include <wx/utils.h>

#include "platform/X11Display.h"

// The input worker's view of the window. Everything here may run on the
// worker's thread while it holds the player's lock: it reads the snapshot the
// window's thread keeps, or posts work to that thread, and never waits for it.

namespace bravok {

Rect CMainFrame::GetClientRect() const {
    std::scoped_lock lock(m_snapshotLock);
    return m_snapshot.client;
}

Point CMainFrame::GetCursorPos() const {
    std::scoped_lock lock(m_snapshotLock);
    return m_snapshot.cursor;
}

Point CMainFrame::ScreenToClient(Point screen) const {
    std::scoped_lock lock(m_snapshotLock);
    return {screen.x - m_snapshot.origin.x, screen.y - m_snapshot.origin.y};
}

Point CMainFrame::ClientToScreen(Point client) const {
    std::scoped_lock lock(m_snapshotLock);
    return {client.x + m_snapshot.origin.x, client.y + m_snapshot.origin.y};
}

void CMainFrame::SetCursorPos(Point screen) {
    Point held;
    {
        // The next read sees the new position at once, as it would after a
        // real move; the pointer itself follows on the window's thread.
        std::scoped_lock lock(m_snapshotLock);
        held = CursorClip::ClampInto(screen, m_snapshot.clip);
        m_snapshot.cursor = held;
    }
    PostToWindowThread([held] { bravok::WarpPointer(wxGetX11Display(), held); });
}

void CMainFrame::InvalidateRect() {
    // Requests that arrive before the paint add nothing: one paint shows them all.
    if (m_repaintPending.exchange(true)) return;
    PostToWindowThread([this] {
        m_repaintPending = false;
        if (m_canvas != nullptr) m_canvas->Refresh(false);
    });
}

}  // namespace bravok
