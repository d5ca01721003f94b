#include "frame/MainFrame.h"

namespace bravok {

void CMainFrame::OnOptionsCrosshair(wxCommandEvent&) {
    m_player.m_crosshairStyle = 1;
    if (m_canvas) m_canvas->Refresh(false);
}

void CMainFrame::OnUpdateOptionsCrosshair(wxUpdateUIEvent& event) {
    event.Check(m_player.m_crosshairStyle.load() != 0);
}

void CMainFrame::OnOptionsGrid(wxCommandEvent&) {
    // No repaint of its own: the input worker asks for one at its next tick.
    m_player.m_crosshairStyle = 0;
}

void CMainFrame::OnUpdateOptionsGrid(wxUpdateUIEvent& event) {
    event.Check(m_player.m_crosshairStyle.load() == 0);
}

void CMainFrame::OnActivateApp(bool bActive) {
    m_appActive = bActive;
    // Before the scene's steps there is no worker yet; they start paused then.
    if (!m_sceneReady) return;
    // The player first in both directions. A pause takes effect between two
    // ticks, so painting never waits on a paused worker.
    if (bActive) {
        m_player.ResumeWorker();
        m_model.ResumeWorker();
    } else {
        PauseWorkers();
    }
}

void CMainFrame::PauseWorkers() {
    m_player.SuspendWorker();
    m_model.SuspendWorker();
}

}  // namespace bravok
