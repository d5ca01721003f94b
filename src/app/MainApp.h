#pragma once

#include <wx/app.h>
#include <wx/filehistory.h>
#include <wx/weakref.h>

#include <memory>

#include "app/ActivationTracker.h"
#include "frame/MainFrame.h"
#include "platform/Signals.h"
#include "scene/MovingModel.h"
#include "scene/VertexFile.h"

namespace bravok {

// The application: creates and shows the main window, answers the
// application-wide commands (About, New, Open, Exit), keeps the standard
// settings, and hands the main window the changes of the application's active
// state.
class CMainApp : public wxApp {
  public:
    static constexpr int kRecentFileCount = 4;

    bool OnInit() override;
    int OnExit() override;

    void OnAppAbout(wxCommandEvent& event);
    void OnFileNew(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);
    void OnAppExit(wxCommandEvent& event);

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

  private:
    bool InitInstance();
    void LoadStdProfileSettings(int recentFileCount);
    void SaveStdProfileSettings();
    wxArrayString RecentFiles() const;
    // Commands that reach the application without a handler on the way show
    // disabled, as commands with nothing to do.
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnActivateApp(wxActivateEvent& event);
    // A request to end from outside the window (a signal) closes it cleanly,
    // whatever dialog is open; called on the window's thread.
    void OnCloseRequest();
    void OnIdle(wxIdleEvent& event);

    // The model's mesh, read from the moment the application exists, while the
    // toolkit starts and the window is made, until the window's creation
    // takes it.
    std::unique_ptr<VertexFileReading> m_modelReading = std::make_unique<VertexFileReading>(
        CMovingModel::kVertexFile, VertexFileReading::Use::Later);
    wxWeakRef<CMainFrame> m_pMainWnd;  // owned by wx; null once the window is gone
    std::unique_ptr<wxFileHistory> m_fileHistory;
    wxArrayString m_loadedHistory;  // the recent files as the settings held them
    ActivationTracker m_activation;
    std::unique_ptr<CloseRequests> m_closeRequests;
    bool m_closeRequested = false;  // closes the window once no dialog's loop runs

    wxDECLARE_EVENT_TABLE();
};

}  // namespace bravok
