#include "frame/KeyMap.h"
#include "frame/MainFrame.h"
#include "frame/NativeHandles.h"
#include "platform/Display.h"
#include "platform/Pointer.h"
#include "platform/VirtualKeys.h"

namespace bravok {

void CMainFrame::BindCanvasEvents() {
    m_canvas->Bind(wxEVT_PAINT, &CMainFrame::OnPaint, this);
    m_canvas->Bind(wxEVT_ERASE_BACKGROUND, [this](wxEraseEvent& event) {
        if (!OnEraseBkgnd(event)) event.Skip();
    });
    m_canvas->Bind(wxEVT_SIZE, &CMainFrame::OnCanvasSize, this);
    m_canvas->Bind(wxEVT_KEY_DOWN, &CMainFrame::OnCanvasKey, this);
    m_canvas->Bind(wxEVT_KEY_UP, &CMainFrame::OnCanvasKey, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MOTION})
        m_canvas->Bind(type, &CMainFrame::OnCanvasMouse, this);
    m_canvas->Bind(wxEVT_MOUSE_CAPTURE_LOST, &CMainFrame::OnCaptureLost, this);
}

void CMainFrame::OnFrameSize(wxSizeEvent& event) {
    event.Skip();  // the frame lays out the canvas and the status bar
    CallAfter([this] { RefreshGeometry(); });
}

void CMainFrame::OnFrameMove(wxMoveEvent& event) {
    event.Skip();
    RefreshGeometry();
}

void CMainFrame::OnCanvasSize(wxSizeEvent& event) {
    event.Skip();
    RefreshGeometry();
}

void CMainFrame::OnCanvasKey(wxKeyEvent& event) {
    // Every key goes into the key table, also one that then fires an
    // accelerator: the input worker polls the table, not the commands.
    const bool rightHand = SideOfKey(ToolkitDisplay(), event.GetRawKeyFlags()) == KeySide::Right;
    const int vk = VirtualKeyFromWx(event.GetKeyCode(), rightHand);
    if (event.GetEventType() == wxEVT_KEY_DOWN) {
        if (vk >= 0) {
            m_keys.KeyDown(vk);
            OnKeyDown(vk);
        }
    } else if (vk >= 0) {
        m_keys.KeyUp(vk);
    }
    event.Skip();
}

void CMainFrame::OnCanvasMouse(wxMouseEvent& event) {
    RecaptureMouse();  // the pointer is back over the view
    TrackCursor();
    const auto type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK) {
        m_keys.KeyDown(VK_LBUTTON);
        m_canvas->SetFocus();
    } else if (type == wxEVT_LEFT_UP) {
        m_keys.KeyUp(VK_LBUTTON);
        OnLButtonUp();
    }
    event.Skip();
}

void CMainFrame::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // Another window took the pointer (a menu opened, the focus moved). The
    // mouse-look state stays as it is until Escape, as it would on any
    // deactivation; the pointer is held again once the window may have it.
    // The loss may be reported only after the menu that caused it has closed.
    CallAfter([this] { RecaptureMouse(); });
}

void CMainFrame::OnMenuOpen(wxMenuEvent& event) {
    event.Skip();
    m_menuOpen = true;
}

void CMainFrame::OnMenuClose(wxMenuEvent& event) {
    event.Skip();
    m_menuOpen = false;
    // After the menu has let go of the pointer.
    CallAfter([this] { RecaptureMouse(); });
}

void CMainFrame::OnFrameActivate(wxActivateEvent& event) {
    event.Skip();
    // The window holds the pointer only while it is active: a dialog opening
    // just after a menu closed must not find it held.
    if (event.GetActive())
        CallAfter([this] { RecaptureMouse(); });
    else if (m_bCaptured)
        ReleaseCapture();
}

void CMainFrame::RecaptureMouse() {
    // Not while a menu or a modal dialog (which disables this window) has the
    // pointer, nor while another window is active. The cursor stays hidden all
    // along: the display counter counts captures and releases, not losses.
    if (m_bCaptured == 0 || m_destroyed || m_menuOpen || !IsEnabled() || !IsActive() ||
        m_canvas->HasCapture())
        return;
    // Held where the client area is now: the window may have moved since the
    // click (by the desktop, or by the keys that move windows). This brings the
    // pointer back inside.
    RefreshGeometry();
    SetCapture();
    ClipCursor(m_services.ClientRectOnScreen());
}

void CMainFrame::FollowClientArea() {
    // Moved or resized while it holds the pointer (by the desktop, or onto a
    // monitor of another scale): the pointer stays in the client area, not
    // where the area used to be.
    if (m_bCaptured == 0 || !m_canvas->HasCapture()) return;
    if (const Rect client = m_services.ClientRectOnScreen(); m_cursor.ClipRect() != client)
        ClipCursor(client);
}

void CMainFrame::TrackCursor() {
    // The pointer as the server has it: an event's logical position is rounded.
    const Point screen = PointerPosition(ToolkitDisplay());
    const Point held = m_cursor.Clamp(screen);
    // A captured pointer that left the clip rectangle is put back on its edge.
    if (m_bCaptured && held != screen) bravok::WarpPointer(ToolkitDisplay(), held);
    m_services.SetCursor(held);
}

void CMainFrame::OnLButtonUp() {
    RefreshGeometry();
    const Rect client = m_services.ClientRectOnScreen();
    if (m_bCaptured == 0) {
        SetCapture();
        ClipCursor(client);
        ShowCursor(false);
        m_bCaptured = 1;
        m_player.m_mouseLook = 1;
    }
}

void CMainFrame::OnKeyDown(int nChar) {
    if (nChar == VK_ESCAPE && m_bCaptured == 1) EndMouseLook();
}

void CMainFrame::EndMouseLook() {
    ReleaseCapture();
    ClipCursor(ScreenRect(ToolkitDisplay()));
    ShowCursor(true);
    m_bCaptured = 0;
    m_player.m_mouseLook = 0;
}

void CMainFrame::SetCapture() {
    if (!m_canvas->HasCapture()) m_canvas->CaptureMouse();
}

void CMainFrame::ReleaseCapture() {
    if (m_canvas->HasCapture()) m_canvas->ReleaseMouse();
}

void CMainFrame::ClipCursor(std::optional<Rect> screenRect) {
    m_cursor.Clip(screenRect);
    m_services.SetClip(screenRect);
    ConfinePointer(screenRect);
    const Point pointer = PointerPosition(ToolkitDisplay());
    if (const Point held = m_cursor.Clamp(pointer); held != pointer)
        bravok::WarpPointer(ToolkitDisplay(), held);
}

int CMainFrame::ShowCursor(bool show) {
    const int count = m_cursor.Show(show);
    ShowSystemCursor(show);
    const wxCursor cursor = m_cursor.Visible() ? wxNullCursor : wxCursor(wxCURSOR_BLANK);
    // The frame as well as the canvas: the hidden cursor may rest on the
    // status bar's strip.
    SetCursor(cursor);
    m_canvas->SetCursor(cursor);
    return count;
}

}  // namespace bravok
