// The application as the program starts it: CMainApp runs its start-up, and
// the tests drive its commands and activation through wx's own event routing.

#include "app/MainApp.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

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
    Send(wxMenuEvent(wxEVT_MENU_HIGHLIGHT, WxId(ID_FILE_NEW)));
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(), "Create a new document");
    Send(wxMenuEvent(wxEVT_MENU_CLOSE, wxID_ANY, Frame().GetMenuBar()->GetMenu(0)));
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(), "Ready");
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

// The About box is a dialog of the main window, centred over it.
TEST_F(MainAppTest, AboutShowsTheBoxModallyOverTheWindow) {
    wxDialog* about = nullptr;
    wxRect box;
    wxTheApp->CallAfter([&] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) {
                about = dialog;
                PumpUntil([dialog] { return dialog->IsShownOnScreen(); });
                box = dialog->GetScreenRect();
                EXPECT_EQ(dialog->GetParent(), &Frame());
                dialog->EndModal(wxID_OK);
            }
    });
    Command(ID_APP_ABOUT);  // returns once the box is closed
    ASSERT_NE(about, nullptr);
    const wxPoint centre = Frame().GetScreenRect().GetPosition() + Frame().GetSize() / 2;
    const wxPoint boxCentre = box.GetPosition() + box.GetSize() / 2;
    EXPECT_NEAR(boxCentre.x, centre.x, 20);
    EXPECT_NEAR(boxCentre.y, centre.y, 40);
}

// Exit ends the window; what arrives after it finds no window.
TEST_F(MainAppTest, ExitClosesTheWindowAndLaterEventsAreHarmless) {
    Command(ID_APP_EXIT);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
    EXPECT_EQ(MainFrame(), nullptr);
    Activate(false);
    Activate(true);
    wxCommandEvent exit(wxEVT_MENU, WxId(ID_APP_EXIT));
    wxTheApp->ProcessEvent(exit);
}

}  // namespace
}  // namespace bravok

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    // A settings folder and a current folder of the test's own, with the mesh.
    namespace fs = std::filesystem;
    bravok::test::TempDir home(true);
    fs::copy_file(fs::path(BRAVOK_DATA_DIR) / "cylinder.vtx", home.Path() / "cylinder.vtx");
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
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
    return status;
}
