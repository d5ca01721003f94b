#pragma once

#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/palette.h>

#include <functional>
#include <memory>
#include <optional>

#include "base/AsyncKeyTable.h"
#include "dib/Dib.h"
#include "frame/CursorClip.h"
#include "frame/DrawnFrameDump.h"
#include "frame/FirstFrameMark.h"
#include "frame/FrameWindowServices.h"
#include "platform/SoundService.h"
#include "render/PixelFormat.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {

// What the main window is made from: its menu, accelerators, icons, caption and
// the status bar's idle text.
struct FrameResources {
    std::unique_ptr<wxMenuBar> menuBar;
    wxAcceleratorTable accelerators;
    wxIconBundle icons;
    wxString title;
    wxString idleMessage;
};

// The game's only top-level window: menu, status bar, and a client area drawn
// entirely with OpenGL. It owns the player and the moving model, pauses their
// workers while the application is inactive, switches the crosshair, and holds
// the mouse for mouse-look from a click until Escape.
//
// The player's input worker polls it through its window services, which it
// keeps up to date.
class CMainFrame : public wxFrame {
  public:
    static constexpr int kCreationSize = 500;  // outer width and height, scaled pixels

    CMainFrame();
    ~CMainFrame() override;

    // Creates the window with the given resources and style. False when the
    // window or its OpenGL drawable and context cannot be had.
    bool LoadFrame(FrameResources resources, long style);

    // Window creation and rendering.
    void PreCreateWindow(wxSize& size, long& style);
    int OnCreate();
    void OnDestroy();
    void OnPaint(wxPaintEvent& event);
    bool OnEraseBkgnd(wxEraseEvent& event);
    void OnSize(int cx, int cy);
    void RenderScene();
    void CreateColorPalette();

    // Commands, activation and mouse capture.
    void OnOptionsCrosshair(wxCommandEvent& event);
    void OnUpdateOptionsCrosshair(wxUpdateUIEvent& event);
    void OnOptionsGrid(wxCommandEvent& event);
    void OnUpdateOptionsGrid(wxUpdateUIEvent& event);
    void OnActivateApp(bool bActive);
    void OnLButtonUp();
    void OnKeyDown(int nChar);

    // Stops both workers and waits for them to end, paused or not. Safe to call
    // more than once; the window draws no scene afterwards.
    void StopWorkers();

    wxGLCanvas* Canvas() const { return m_canvas; }
    // The model's mesh read ahead, for the model to take when the scene is made.
    void ReadModelAhead(std::unique_ptr<VertexFileReading> reading) {
        m_model.ReadAhead(std::move(reading));
    }

    // What the input worker sees of the window, from its own thread.
    FrameWindowServices& WindowServices() { return m_services; }
    AsyncKeyTable& GetKeyTable() { return m_keys; }

  protected:
    // What the display made of the pixel-format request. Tests override it to
    // stand in for a palette-based display.
    virtual PixelFormatDescriptor DescribePixelFormat() const;
    // Hands work to the window's thread; any thread may call it.
    virtual void PostToWindowThread(std::function<void()> work);

  private:
    friend class CMainFrameTestAccess;  // the tests' one view of the state below

    // The steps of window creation that need the OpenGL context current. GTK
    // can make a context current only on a realised window, and lays the window
    // out only after realising it; the input worker reads the client size as it
    // starts. So these steps run at the first paint, before anything is drawn.
    void OnSceneRealized();
    void BindCanvasEvents();
    void OnClose(wxCloseEvent& event);
    void OnFrameSize(wxSizeEvent& event);
    void OnFrameMove(wxMoveEvent& event);
    void OnCanvasSize(wxSizeEvent& event);
    void OnCanvasKey(wxKeyEvent& event);
    void OnCanvasMouse(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnMenuOpen(wxMenuEvent& event);
    void OnMenuClose(wxMenuEvent& event);
    void OnFrameActivate(wxActivateEvent& event);

    // The height of the client area's bottom strip that the status bar covers.
    int StatusStripHeight() const;
    // Window sizes are logical pixels; OpenGL counts the display's own.
    int ToPhysical(int logical) const;
    // Re-reads the client size and screen origin into the snapshot, in the
    // display's pixels (mouse-look's unit); returns the logical client size.
    wxSize UpdateSnapshot();
    // The same, then applies the projection when the size changed and moves the
    // pointer's confinement with the client area.
    void RefreshGeometry();
    void TrackCursor();
    void PauseWorkers();

    // The cursor services of mouse capture.
    void SetCapture();
    void ReleaseCapture();
    void ClipCursor(std::optional<Rect> screenRect);
    int ShowCursor(bool show);
    // Captured to free: the pointer let go, confined to the desktop, shown.
    void EndMouseLook();
    // Holds the pointer again after a menu or a dialog took it, while mouse-look
    // lasts and the window may have it.
    void RecaptureMouse();
    // Keeps a held pointer's confinement on the client area as it is now.
    void FollowClientArea();

    wxStatusBar* m_wndStatusBar = nullptr;  // owned by the window
    std::unique_ptr<wxGLContext> m_hRC;
    std::unique_ptr<wxPalette> m_hPalette;
    int m_bCaptured = 0;
    CPlayer m_player;
    CMovingModel m_model;
    CDib m_dib;  // a 16 x 16 blank image, made with the frame and kept for its life

    wxGLCanvas* m_canvas = nullptr;   // owned by the window
    DrawnFrameDump m_drawnFrameDump;  // off unless a test asks for it
    FirstFrameMark m_firstFrameMark;  // off unless the start is being timed
    wxString m_idleMessage;
    int m_chosenDepthBits = 0;
    bool m_sceneReady = false;
    bool m_workersStopped = false;
    bool m_destroyed = false;
    bool m_menuOpen = false;  // one of the menu bar's menus is showing
    // The application's active state as last reported; the workers may start
    // after a deactivation and then start paused.
    bool m_appActive = true;
    CursorClip m_cursor;  // UI thread only
    wxSize m_projectedSize{-1, -1};

    AsyncKeyTable m_keys;
    std::unique_ptr<ISoundService> m_sound;
    FrameWindowServices m_services;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace bravok
