// CMainApp as the program starts it, driven through wx's own event routing.

#include "app/MainApp.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/utils.h>

#include <filesystem>

#include "FrameAccess.h"
#include "TempDir.h"
#include "WxPump.h"
#include "frame/CommandIds.h"
#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

using test::PumpUntil;

CMainFrame* MainFrame() {
    return static_cast<CMainApp*>(wxTheApp)->MainFrame();
}
CMainFrame& Frame() {
    return *MainFrame();
}

// Sends an event as a menu item does: to the frame, and on to the application.
template <typename Event>
Event Send(Event event) {
    event.SetEventObject(&Frame());
    Frame().GetEventHandler()->ProcessEvent(event);
    return event;
}
void Command(unsigned command) {
    Send(wxCommandEvent(wxEVT_MENU, WxId(command)));
}
void Activate(bool active) {
    wxActivateEvent event(wxEVT_ACTIVATE_APP, active);
    wxTheApp->ProcessEvent(event);
}

class MainAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(PumpUntil([] { return CMainFrameTestAccess(Frame()).SceneReady(); }));
    }
};

TEST_F(MainAppTest, StartUpShowsTheMainWindowAndOnlyHandledCommandsAreEnabled) {
    EXPECT_TRUE(wxTheApp->GetTopWindow() == &Frame() && Frame().IsShown());
    EXPECT_EQ(wxTheApp->GetAppName(), "Bravok");
    const std::pair<unsigned, bool> commands[] = {
        {ID_FILE_SAVE, false}, {ID_EDIT_UNDO, false}, {ID_NEXT_PANE, false}, {ID_FILE_NEW, true},
        {ID_FILE_OPEN, true},  {ID_APP_ABOUT, true},  {ID_APP_EXIT, true}};
    for (const auto& [command, enabled] : commands) {
        const wxUpdateUIEvent event = Send(wxUpdateUIEvent(WxId(command)));
        EXPECT_EQ(event.GetEnabled(), enabled) << command;
    }
}

TEST_F(MainAppTest, ActivationChangesBalanceThePausesAndDeactivationForgetsKeys) {
    const CMainFrameTestAccess state(Frame());
    Activate(true);  // whatever the X server said so far, the game now runs
    Frame().GetKeyTable().KeyDown(VK_UP);
    Activate(false);
    Activate(false);  // GTK sends deactivations twice at times
    EXPECT_EQ(state.Pauses(), std::make_pair(1, 1));
    EXPECT_EQ(Frame().GetKeyTable().GetAsyncKeyState(VK_UP), 0) << "a held key is let go";
    Activate(true);
    Activate(true);
    EXPECT_EQ(state.Pauses(), std::make_pair(0, 0));
}

// Exit ends the window; what arrives after it reaches the application's handlers
// and finds no window there (reaching the closed one would crash the test).
TEST_F(MainAppTest, ExitClosesTheWindowAndLaterEventsAreHarmless) {
    Command(ID_APP_EXIT);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
    EXPECT_EQ(MainFrame(), nullptr);
    Activate(false);
    Activate(true);
    wxCommandEvent exit(wxEVT_MENU, WxId(ID_APP_EXIT));
    EXPECT_TRUE(wxTheApp->ProcessEvent(exit)) << "the application's own handler takes it";
}

}  // namespace
}  // namespace bravok

// The application the test main starts, in a folder of its own with the mesh and
// its settings (on Windows they go to the registry, the test run's own).
wxIMPLEMENT_APP_NO_MAIN(bravok::CMainApp);
const bravok::test::TempDir g_home(true);
const bool g_homeReady = [] {
    std::filesystem::copy_file(BRAVOK_DATA_DIR "/cylinder.vtx", g_home.Path() / "cylinder.vtx");
    return wxSetEnv("XDG_CONFIG_HOME", g_home.Path().string());
}();
