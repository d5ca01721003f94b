#include "app/MainApp.h"

#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <cstdio>

#include "app/AboutDlg.h"
#include "app/Resources.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"

namespace bravok {

namespace {

// A failed internal check of the toolkit is reported on the error output, not
// in a dialog in the player's face.
void ReportAssertion(const wxString& file, int line, const wxString& function,
                     const wxString& condition, const wxString& message) {
    std::fprintf(stderr, "bravok: internal check failed at %s:%d in %s: %s %s\n",
                 file.utf8_str().data(), line, function.utf8_str().data(),
                 condition.utf8_str().data(), message.utf8_str().data());
}

}  // namespace

wxBEGIN_EVENT_TABLE(CMainApp, wxApp)
    EVT_MENU(WxId(ID_APP_ABOUT), CMainApp::OnAppAbout)
    EVT_MENU(WxId(ID_FILE_NEW), CMainApp::OnFileNew)
    EVT_MENU(WxId(ID_FILE_OPEN), CMainApp::OnFileOpen)
    EVT_MENU(WxId(ID_APP_EXIT), CMainApp::OnAppExit)
    EVT_UPDATE_UI_RANGE(kFirstWxCommandId,
                        kFirstWxCommandId + static_cast<int>(kCommandIds.size()) - 1,
                        CMainApp::OnUpdateCommand)
    EVT_ACTIVATE_APP(CMainApp::OnActivateApp)
    EVT_IDLE(CMainApp::OnIdle)
wxEND_EVENT_TABLE()

bool CMainApp::OnInit() {
    // No call of the base: the game takes no command-line options.
    wxSetAssertHandler(ReportAssertion);
    SetAppName(wxString::FromUTF8(AppName().data(), AppName().size()));
    if (!InitInstance()) return false;
    m_closeRequests =
        std::make_unique<CloseRequests>([this] { CallAfter(&CMainApp::OnCloseRequest); });
    return true;
}

bool CMainApp::InitInstance() {
    LoadStdProfileSettings(kRecentFileCount);

    auto* frame = new CMainFrame;  // wx deletes it once its window is gone
    frame->ReadModelAhead(std::move(m_modelReading));
    FrameResources resources;
    resources.menuBar = CreateMainMenuBar();
    resources.accelerators = CreateMainAcceleratorTable();
    resources.icons = MainFrameIcons();
    resources.title = wxString::FromUTF8(MainFrameCaption().data(), MainFrameCaption().size());
    resources.idleMessage = wxString::FromUTF8(IdleMessage().data(), IdleMessage().size());
    if (!frame->LoadFrame(std::move(resources), wxDEFAULT_FRAME_STYLE)) {
        const char* message =
            "Bravok cannot start: the display offers no OpenGL drawing surface with a depth "
            "buffer.";
        std::fprintf(stderr, "bravok: %s\n", message);
        wxMessageBox(message, "Bravok", wxOK | wxICON_ERROR);
        frame->Destroy();
        return false;
    }
    m_pMainWnd = frame;
    SetTopWindow(frame);
    frame->Update();
    frame->Show();
    if (frame->Canvas() != nullptr) frame->Canvas()->SetFocus();
    return true;
}

int CMainApp::OnExit() {
    m_closeRequests.reset();
    SaveStdProfileSettings();
    return wxApp::OnExit();
}

void CMainApp::LoadStdProfileSettings(int recentFileCount) {
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    wxConfigBase* config = wxConfigBase::Get();  // created on first use, ~/.config/Bravok.conf
    m_fileHistory = std::make_unique<wxFileHistory>(recentFileCount);
    if (config != nullptr) {
        config->SetPath("/Recent File List");
        m_fileHistory->Load(*config);
        config->SetPath("/");
    }
    m_loadedHistory = RecentFiles();
}

wxArrayString CMainApp::RecentFiles() const {
    wxArrayString files;
    for (size_t i = 0; i < m_fileHistory->GetCount(); ++i)
        files.Add(m_fileHistory->GetHistoryFile(i));
    return files;
}

void CMainApp::SaveStdProfileSettings() {
    wxConfigBase* config = wxConfigBase::Get(false);
    // The settings hold nothing but the recent files: unchanged, they need no
    // file written, and a new account gets none.
    if (config == nullptr || m_fileHistory == nullptr || RecentFiles() == m_loadedHistory) return;
    // On a new account the settings folder may not exist yet; and a settings
    // file that cannot be written must never hold up the exit with a dialog.
    wxLogNull quiet;
    wxFileName::Mkdir(wxStandardPaths::Get().GetUserConfigDir(), wxS_DIR_DEFAULT,
                      wxPATH_MKDIR_FULL);
    config->SetPath("/Recent File List");
    m_fileHistory->Save(*config);
    config->SetPath("/");
    if (!config->Flush())
        std::fprintf(stderr, "bravok: the settings could not be saved in %s\n",
                     wxStandardPaths::Get().GetUserConfigDir().utf8_str().data());
}

void CMainApp::OnAppAbout(wxCommandEvent&) {
    // A dialog of the main window: centred over it, and above it.
    CAboutDlg about(m_pMainWnd.get());
    about.ShowModal();
}

// There are no document types, so there is nothing to make or open.
void CMainApp::OnFileNew(wxCommandEvent&) {}
void CMainApp::OnFileOpen(wxCommandEvent&) {}

void CMainApp::OnAppExit(wxCommandEvent&) {
    if (m_pMainWnd != nullptr) m_pMainWnd->Close();
}

void CMainApp::OnUpdateCommand(wxUpdateUIEvent& event) {
    const unsigned command = CommandFromWxId(event.GetId());
    event.Enable(command == ID_APP_ABOUT || command == ID_FILE_NEW || command == ID_FILE_OPEN ||
                 command == ID_APP_EXIT);
}

void CMainApp::OnActivateApp(wxActivateEvent& event) {
    event.Skip();
    const bool active = event.GetActive();
    if (m_pMainWnd == nullptr || !m_activation.Update(active)) return;
    // Releases of keys held now will go to another application.
    if (!active) m_pMainWnd->GetKeyTable().Clear();
    m_pMainWnd->OnActivateApp(active);
}

void CMainApp::OnCloseRequest() {
    if (!m_pMainWnd) return;
    // A modal dialog would keep the window from closing: end it first. The
    // window closes once the dialog's loop has returned: the dialog may live on
    // the stack of the code that showed it, and must be gone before its parent.
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            dialog->EndModal(wxID_CANCEL);
    m_closeRequested = true;
    WakeUpIdle();
}

void CMainApp::OnIdle(wxIdleEvent& event) {
    event.Skip();
    if (!m_closeRequested || wxEventLoopBase::GetActive() != GetMainLoop()) return;
    m_closeRequested = false;
    if (m_pMainWnd) m_pMainWnd->Close(true);
}

}  // namespace bravok
