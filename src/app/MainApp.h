#pragma once

#include <wx/app.h>
#include <wx/filehistory.h>
#include <wx/timer.h>

#include <memory>

#include "frame/ActivationTracker.h"

namespace bravok {

class CMainFrame;

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

    CMainFrame* MainFrame() const { return m_pMainWnd; }

  private:
    bool InitInstance();
    void LoadStdProfileSettings(int recentFileCount);
    void SaveStdProfileSettings();
    // Commands that reach the application without a handler on the way show
    // disabled, as commands with nothing to do.
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnActivateApp(wxActivateEvent& event);
    // Ends the game cleanly on SIGTERM, SIGINT or SIGHUP, whatever dialog is open.
    void OnSignalPoll(wxTimerEvent& event);

    CMainFrame* m_pMainWnd = nullptr;  // owned by wx
    std::unique_ptr<wxFileHistory> m_fileHistory;
    ActivationTracker m_activation;
    wxTimer m_signalPoll;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace bravok
