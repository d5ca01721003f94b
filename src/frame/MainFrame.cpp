#include "frame/MainFrame.h"

#include "frame/CommandIds.h"
#include "frame/NativeHandles.h"
#include "platform/Display.h"
#include "platform/Keyboard.h"
#include "platform/Pointer.h"

namespace bravok {

wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_MENU(WxId(ID_OPTIONS_CROSSHAIR), CMainFrame::OnOptionsCrosshair)
    EVT_UPDATE_UI(WxId(ID_OPTIONS_CROSSHAIR), CMainFrame::OnUpdateOptionsCrosshair)
    EVT_MENU(WxId(ID_OPTIONS_GRID), CMainFrame::OnOptionsGrid)
    EVT_UPDATE_UI(WxId(ID_OPTIONS_GRID), CMainFrame::OnUpdateOptionsGrid)
    EVT_SIZE(CMainFrame::OnFrameSize)
    EVT_MOVE(CMainFrame::OnFrameMove)
    EVT_CLOSE(CMainFrame::OnClose)
    EVT_MENU_OPEN(CMainFrame::OnMenuOpen)
    EVT_MENU_CLOSE(CMainFrame::OnMenuClose)
    EVT_ACTIVATE(CMainFrame::OnFrameActivate)
wxEND_EVENT_TABLE()

CMainFrame::CMainFrame()
    : m_sound(CreateSoundService()),
      m_services(
          m_keys, *m_sound,
          [this](FrameWindowServices::Work work) { PostToWindowThread(std::move(work)); },
          [](Point screen) { bravok::WarpPointer(ToolkitDisplay(), screen); },
          [this] {
              if (m_canvas != nullptr) m_canvas->Refresh(false);
          }) {}

CMainFrame::~CMainFrame() {
    // The workers use this window and the scene objects on every tick: they end
    // before anything of the window goes.
    StopWorkers();
    OnDestroy();
}

bool CMainFrame::LoadFrame(FrameResources resources, long style) {
    wxSize size = wxDefaultSize;
    PreCreateWindow(size, style);
    if (!Create(nullptr, wxID_ANY, resources.title, wxDefaultPosition, size, style)) return false;
    SetIcons(resources.icons);
    SetMenuBar(resources.menuBar.release());
    // Hidden until the window is on the screen. As a window first shows, wx lays it out at
    // a stand-in size of a pixel or two while it learns the size of the desktop's frame;
    // the menu bar cannot be that narrow, and GTK reports it as a critical error. The menu
    // bar joins at the first paint, before the scene's first frame, at the same outer size.
    if (wxMenuBar* menuBar = GetMenuBar()) menuBar->Hide();
    SetAcceleratorTable(resources.accelerators);
    m_idleMessage = resources.idleMessage;
    return OnCreate() != -1;
}

void CMainFrame::PreCreateWindow(wxSize& size, long& style) {
    // The outer size, caption, menu and borders included: the client area is
    // smaller and not square. It counts the desktop's scaled pixels, as the
    // menu's and the captions' sizes do: GTK sizes windows in those already, while
    // Windows counts the screen's own and gives a desktop at 200 % a window of
    // twice as many. The window has no monitor of its own yet: the desktop's
    // scale it is.
    size = FromDIP(wxSize(kCreationSize, kCreationSize), nullptr);
    style |= wxCLIP_CHILDREN;
}

int CMainFrame::OnCreate() {
    const PixelFormatDescriptor request;
    if (!DisplayHasOpenGL(ToolkitDisplay())) return -1;
    // The closest drawable to the request: the depth buffer may come smaller
    // than asked, but there has to be one.
    for (int depth : {static_cast<int>(request.cDepthBits), 24, 16}) {
        wxGLAttributes attributes;
        attributes.PlatformDefaults()
            .RGBA()
            .DoubleBuffer()
            .MinRGBA(8, 8, 8, 0)
            .Depth(depth)
            .EndList();
        if (!wxGLCanvas::IsDisplaySupported(attributes)) continue;
        m_canvas = new wxGLCanvas(this, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
        m_chosenDepthBits = depth;
        break;
    }
    if (m_canvas == nullptr) return -1;

    if (DescribePixelFormat().dwFlags & PFD_NEED_PALETTE) CreateColorPalette();

    m_hRC = std::make_unique<wxGLContext>(m_canvas);
    if (!m_hRC->IsOK()) {
        m_hRC.reset();
        return -1;
    }
    BindCanvasEvents();
    // The keys are read from the server before the workers start, whichever of
    // the game's windows has the keyboard.
    m_keys.AttachKeyboard(OpenKeyboard(ToolkitDisplay()));
    // The scene's steps follow when the canvas is first realised; the status
    // bar needs no context and comes now, so the window is laid out once.
    m_wndStatusBar = CreateStatusBar(1);
    SetStatusText(m_idleMessage);
    return 0;
}

void CMainFrame::OnSceneRealized() {
    if (m_sceneReady || m_hRC == nullptr || m_destroyed) return;
    if (wxMenuBar* menuBar = GetMenuBar()) menuBar->Show();
    UpdateSnapshot();  // the input worker reads the client size as it starts
    if (!m_hRC->SetCurrent(*m_canvas)) return;
    m_sceneReady = true;
    m_player.Init(&m_services);
    m_model.Init();
    // A deactivation before this point found no workers to pause. The first
    // wait of a worker is a whole tick, so they pause before their first tick.
    if (!m_appActive) PauseWorkers();
    MakeNoContextCurrent();
    RefreshGeometry();
}

void CMainFrame::OnClose(wxCloseEvent&) {
    StopWorkers();
    if (m_bCaptured) EndMouseLook();
    OnDestroy();
    Destroy();
}

void CMainFrame::OnDestroy() {
    if (m_destroyed) return;
    m_destroyed = true;
    m_hRC.reset();
    m_hPalette.reset();
}

void CMainFrame::PostToWindowThread(std::function<void()> work) {
    CallAfter(std::move(work));
}

void CMainFrame::StopWorkers() {
    if (m_workersStopped) return;
    m_workersStopped = true;
    m_player.Cleanup();
    m_model.Cleanup();
}

}  // namespace bravok
