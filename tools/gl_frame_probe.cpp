// The smallest wx program with an OpenGL view: a frame with a status bar and a
// wxGLCanvas that clears itself to grey. It writes an empty file named by its
// argument once its first frame is drawn, and ends. Built like the game and
// started the same way, it is the yardstick for the game's first frame
// (scripts/first-frame.sh).
//
//   gl_frame_probe DRAWN_FILE

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <fstream>

namespace {

class ProbeFrame : public wxFrame {
  public:
    explicit ProbeFrame(const wxString& drawnFile)
        : wxFrame(nullptr, wxID_ANY, "Probe", wxDefaultPosition, wxSize(640, 480)),
          m_drawnFile(drawnFile) {
        CreateStatusBar();
        wxGLAttributes attributes;
        attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
        m_canvas = new wxGLCanvas(this, attributes);
        m_context = new wxGLContext(m_canvas);
        m_canvas->Bind(wxEVT_PAINT, &ProbeFrame::OnPaint, this);
    }
    ~ProbeFrame() override { delete m_context; }

  private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(m_canvas);
        m_context->SetCurrent(*m_canvas);
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_canvas->SwapBuffers();
        if (m_drawn) return;
        m_drawn = true;
        std::ofstream(m_drawnFile.ToStdString());
        CallAfter([this] { Close(true); });
    }

    wxString m_drawnFile;
    wxGLCanvas* m_canvas = nullptr;
    wxGLContext* m_context = nullptr;
    bool m_drawn = false;
};

class ProbeApp : public wxApp {
  public:
    bool OnInit() override {
        if (argc != 2) return false;
        (new ProbeFrame(argv[1]))->Show();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP(ProbeApp);
