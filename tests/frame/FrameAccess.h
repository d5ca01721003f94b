#pragma once

#include "TestAccess.h"
#include "frame/MainFrame.h"

namespace bravok {

// The tests' one view of the frame's private state.
class CMainFrameTestAccess {
  public:
    explicit CMainFrameTestAccess(CMainFrame& frame) : m_frame(frame) {}
    bool SceneReady() const { return m_frame.m_sceneReady; }
    int Captured() const { return m_frame.m_bCaptured; }
    int MouseLook() const { return m_frame.m_player.m_mouseLook.load(); }
    const CursorClip& Cursor() const { return m_frame.m_cursor; }
    const wxPalette* Palette() const { return m_frame.m_hPalette.get(); }
    wxGLContext* Context() const { return m_frame.m_hRC.get(); }
    bool ModelLoaded() const { return TestAccess::ListId(m_frame.m_model) != 0; }
    // Pauses of the player's and the model's workers (-1: no worker).
    std::pair<int, int> Pauses() const {
        return {Pauses(m_frame.m_player), Pauses(m_frame.m_model)};
    }

  private:
    static int Pauses(const CSceneObject& object) {
        return TestAccess::HasWorker(object) ? TestAccess::PauseCount(object) : -1;
    }
    CMainFrame& m_frame;
};

}  // namespace bravok
