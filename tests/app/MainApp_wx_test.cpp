// The application as the program starts it: CMainApp runs its start-up, and
// the tests drive its commands and activation through wx's own event routing.

#include "app/MainApp.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestAccess.h"
#include "WxPump.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"
#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;
using test::PumpUntil;

// Start-up succeeded before any test runs, so the main window is there.
CMainFrame& Frame() {
    return *static_cast<CMainApp*>(wxTheApp)->MainFrame();
}

// Sends an event the way a menu item or an accelerator does: to the frame, from
// where it goes on to the application.
template <typename Event>
Event Send(Event event) {
    event.SetEventObject(&Frame());
    Frame().GetEventHandler()->ProcessEvent(event);
    return event;
}
void Command(unsigned command) {
    Send(wxCommandEvent(wxEVT_MENU, WxId(command)));
}
wxUpdateUIEvent Update(unsigned command) {
    return Send(wxUpdateUIEvent(WxId(command)));
}

void Activate(bool active) {
    wxActivateEvent event(wxEVT_ACTIVATE_APP, active);
    wxTheApp->ProcessEvent(event);
}

class MainAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(PumpUntil([] { return Frame().SceneReady() && Frame().PaintCount() > 0; }));
    }
};

TEST_F(MainAppTest, StartUpShowsTheMainWindow) {
    EXPECT_EQ(wxTheApp->GetTopWindow(), &Frame());
    EXPECT_TRUE(Frame().IsShown());
    EXPECT_EQ(Frame().GetTitle(), "Bravok");
    EXPECT_EQ(wxTheApp->GetAppName(), "Bravok");
    ASSERT_NE(Frame().GetMenuBar(), nullptr);
    EXPECT_EQ(Frame().GetMenuBar()->GetMenuCount(), 3u);
}

TEST_F(MainAppTest, CommandsWithoutAHandlerShowDisabled) {
    for (unsigned command : {ID_FILE_SAVE, ID_EDIT_UNDO, ID_NEXT_PANE}) {
        const wxUpdateUIEvent event = Update(command);
        EXPECT_TRUE(event.GetSetEnabled()) << command;
        EXPECT_FALSE(event.GetEnabled()) << command;
    }
    for (unsigned command : {ID_FILE_NEW, ID_FILE_OPEN, ID_APP_ABOUT, ID_APP_EXIT}) {
        const wxUpdateUIEvent event = Update(command);
        EXPECT_TRUE(event.GetEnabled()) << command;
    }
    // The frame answers for the crosshair items before the application sees them.
    EXPECT_TRUE(Update(ID_OPTIONS_CROSSHAIR).GetChecked());
    // New and Open have nothing to do; nothing changes.
    Command(ID_FILE_NEW);
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(Frame().IsShown());
}

TEST_F(MainAppTest, MenuPromptsShowInTheStatusBar) {
    Send(wxMenuEvent(wxEVT_MENU_HIGHLIGHT, WxId(ID_FILE_NEW)));
    EXPECT_EQ(Frame().m_wndStatusBar->GetStatusText(), "Create a new document");
    Send(wxMenuEvent(wxEVT_MENU_CLOSE, wxID_ANY, Frame().GetMenuBar()->GetMenu(0)));
    EXPECT_EQ(Frame().m_wndStatusBar->GetStatusText(), "Ready");
}

TEST_F(MainAppTest, ActivationChangesBalanceThePausesAndDeactivationForgetsKeys) {
    Activate(true);  // whatever the X server said so far, the game now runs
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_player), 0);
    Frame().GetKeyTable().KeyDown(VK_UP);
    Activate(false);
    Activate(false);  // GTK sends deactivations twice at times
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_player), 1);
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_model), 1);
    EXPECT_EQ(Frame().GetKeyTable().GetAsyncKeyState(VK_UP), 0)
        << "a key held when the focus went is not left down";
    Activate(true);
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_player), 0);
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_model), 0);
    Activate(true);
    EXPECT_EQ(TestAccess::PauseCount(Frame().m_player), 0);
}

TEST_F(MainAppTest, AboutShowsTheBoxModally) {
    wxString caption;
    wxTheApp->CallAfter([&caption] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) {
                caption = dialog->GetTitle();
                dialog->EndModal(wxID_OK);
            }
    });
    Command(ID_APP_ABOUT);  // returns once the box is closed
    EXPECT_EQ(caption, "About Bravok");
    EXPECT_TRUE(Frame().IsShown()) << "the game goes on";
}

TEST_F(MainAppTest, ExitClosesTheWindowAndEndsTheApplication) {
    Command(ID_APP_EXIT);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
}

}  // namespace
}  // namespace bravok

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    // A settings folder and a current folder of the test's own, with the mesh.
    namespace fs = std::filesystem;
    const fs::path home =
        fs::temp_directory_path() / ("bravok-app-test-" + std::to_string(getpid()));
    fs::create_directories(home);
    fs::copy_file(fs::path(BRAVOK_DATA_DIR) / "cylinder.vtx", home / "cylinder.vtx");
    fs::current_path(home);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    wxApp::SetInstance(new bravok::CMainApp);
    int status = 1;
    if (wxEntryStart(argc, argv) && wxTheApp->CallOnInit()) {
        status = RUN_ALL_TESTS();
        if (!wxTopLevelWindows.IsEmpty()) wxTheApp->GetTopWindow()->Close(true);
        bravok::test::PumpUntil([] { return wxTopLevelWindows.IsEmpty(); });
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(home);
    return status;
}
