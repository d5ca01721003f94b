#include <wx/dcclient.h>

#include <cmath>

#include "frame/MainFrame.h"
#include "frame/NativeHandles.h"
#include "platform/Display.h"
#include "platform/Pointer.h"
#include "render/ColorPalette.h"
#include "render/Projection.h"
#include "render/RenderPass.h"

namespace bravok {

PixelFormatDescriptor CMainFrame::DescribePixelFormat() const {
    PixelFormatDescriptor described;
    described.cDepthBits = static_cast<std::uint8_t>(m_chosenDepthBits);
    if (m_canvas == nullptr) return described;
    const VisualTraits visual = DescribeVisual(NativeWindowOf(*m_canvas));
    described.cColorBits = static_cast<std::uint8_t>(visual.depth);
    if (visual.colourMapped) described.dwFlags |= PFD_NEED_PALETTE;
    return described;
}

void CMainFrame::CreateColorPalette() {
    const auto entries = ColorPaletteEntries();
    unsigned char red[kColorPaletteSize], green[kColorPaletteSize], blue[kColorPaletteSize];
    for (int i = 0; i < kColorPaletteSize; ++i) {
        red[i] = entries[i].peRed;
        green[i] = entries[i].peGreen;
        blue[i] = entries[i].peBlue;
    }
    m_hPalette = std::make_unique<wxPalette>(kColorPaletteSize, red, green, blue);
}

void CMainFrame::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(m_canvas);
    // A paint of the window before it is on the screen (the Update that comes
    // before Show) is too early: the window has not been laid out yet.
    if (!m_sceneReady && m_canvas->IsShownOnScreen()) OnSceneRealized();
    // After the workers have stopped the scene must not be drawn again.
    if (!m_sceneReady || m_workersStopped || m_hRC == nullptr) return;
    if (m_hPalette) dc.SetPalette(*m_hPalette);
    m_hRC->SetCurrent(*m_canvas);
    RenderScene();
    if (m_drawnFrameDump.Enabled()) {
        const wxSize size = m_canvas->GetClientSize();
        const wxPoint corner = m_canvas->ClientToScreen(wxPoint(0, 0));
        m_drawnFrameDump.Save(ToPhysical(size.x), ToPhysical(size.y), corner.x, corner.y,
                              ToPhysical(m_projectedSize.y));
    }
    m_canvas->SwapBuffers();
    m_firstFrameMark.Swapped();
    MakeNoContextCurrent();
}

bool CMainFrame::OnEraseBkgnd(wxEraseEvent&) {
    // The render pass covers every pixel; erasing first would only flicker.
    return true;
}

void CMainFrame::OnSize(int cx, int cy) {
    // Before the context can be current the size is kept, and applied as soon
    // as it can be.
    if (!m_sceneReady || m_hRC == nullptr) return;
    m_hRC->SetCurrent(*m_canvas);
    ApplyProjection(ToPhysical(cx), ToPhysical(cy), ToPhysical(StatusStripHeight()));
    MakeNoContextCurrent();
    m_projectedSize = wxSize(cx, cy);
}

void CMainFrame::RenderScene() {
    bravok::RenderScene(kSceneLight, m_player, m_model);
}

int CMainFrame::StatusStripHeight() const {
    return m_wndStatusBar != nullptr && m_wndStatusBar->IsShown() ? m_wndStatusBar->GetSize().y : 0;
}

int CMainFrame::ToPhysical(int logical) const {
    // The one conversion: at GDK_SCALE=2 a 480-pixel-wide window is drawn with
    // 960 pixels, and mouse-look counts the same 960.
    return static_cast<int>(std::lround(logical * m_canvas->GetContentScaleFactor()));
}

wxSize CMainFrame::UpdateSnapshot() {
    // The client area reaches under the status bar: the picture and the
    // mouse-look centre count that strip as well. The frame's own idea of its
    // client size is right from the start, while the canvas is still being laid
    // out when it is realised.
    wxSize client = GetClientSize();
    client.y += StatusStripHeight();
    // Until the window is on the screen it has no screen position to tell.
    const bool placed = m_canvas != nullptr && m_canvas->IsShownOnScreen();
    const Point origin = placed ? WindowOrigin(NativeWindowOf(*m_canvas)) : Point{};
    m_services.SetClientArea({0, 0, ToPhysical(client.x), ToPhysical(client.y)});
    if (placed) m_services.SetOrigin(origin);
    return client;
}

void CMainFrame::RefreshGeometry() {
    const wxSize client = UpdateSnapshot();
    if (client != m_projectedSize) OnSize(client.x, client.y);
    FollowClientArea();
}

}  // namespace bravok
