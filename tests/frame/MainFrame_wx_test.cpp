#include "frame/MainFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "SceneTestSupport.h"
#include "TestAccess.h"
#include "WxPump.h"
#include "app/Resources.h"
#include "frame/CommandIds.h"
#include "platform/VirtualKeys.h"
#include "render/ColorPalette.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;
using test::PumpFor;
using test::PumpUntil;

FrameResources MainFrameResources() {
    FrameResources resources;
    resources.menuBar = CreateMainMenuBar();
    resources.accelerators = CreateMainAcceleratorTable();
    resources.icons = MainFrameIcons();
    resources.title = "Bravok";
    resources.idleMessage = "Ready";
    return resources;
}

// Stands in for a display whose drawable takes its colours from a palette.
class PaletteDisplayFrame : public CMainFrame {
  protected:
    PixelFormatDescriptor DescribePixelFormat() const override {
        PixelFormatDescriptor described = CMainFrame::DescribePixelFormat();
        described.dwFlags |= PFD_NEED_PALETTE;
        return described;
    }
};

// Records whether both workers had ended by the time the frame went away.
bool g_workersEndedBeforeDestruction = false;
class WatchedFrame : public CMainFrame {
  public:
    ~WatchedFrame() override {
        g_workersEndedBeforeDestruction =
            !TestAccess::HasWorker(m_player) && !TestAccess::HasWorker(m_model);
    }
};

template <typename Frame = CMainFrame>
class FrameTestBase : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(std::filesystem::path(BRAVOK_DATA_DIR) / "cylinder.vtx",
                                   m_dir.Path() / "cylinder.vtx");
        m_frame = new Frame;
        ASSERT_TRUE(m_frame->LoadFrame(MainFrameResources(), wxDEFAULT_FRAME_STYLE));
        m_createdSize = m_frame->GetSize();
        m_frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return m_frame->SceneReady() && m_frame->PaintCount() > 0; }))
            << "the window never drew its scene";
    }
    void TearDown() override {
        if (m_frame == nullptr) return;
        m_frame->Close(true);
        EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
    }
    void Command(unsigned command) {
        wxCommandEvent event(wxEVT_MENU, WxId(command));
        event.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(event);
    }
    bool Checked(unsigned command) {
        wxUpdateUIEvent event(WxId(command));
        event.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(event);
        EXPECT_TRUE(event.GetSetChecked()) << "no update handler for " << command;
        return event.GetChecked();
    }

    test::ScopedTempDir m_dir;
    Frame* m_frame = nullptr;
    wxSize m_createdSize;
};

using MainFrameTest = FrameTestBase<>;

TEST_F(MainFrameTest, CreationStartsTheSceneWithListsOneToFour) {
    EXPECT_EQ(m_createdSize, wxSize(500, 500)) << "outer size at creation";
    EXPECT_EQ(m_frame->GetTitle(), "Bravok");
    ASSERT_NE(m_frame->m_wndStatusBar, nullptr);
    EXPECT_EQ(m_frame->m_wndStatusBar->GetStatusText(), "Ready");
    EXPECT_EQ(TestAccess::PlayerLists(m_frame->m_player)[0], 1u);
    EXPECT_EQ(TestAccess::PlayerLists(m_frame->m_player)[1], 2u);
    EXPECT_EQ(TestAccess::PlayerLists(m_frame->m_player)[2], 3u);
    EXPECT_EQ(TestAccess::ListId(m_frame->m_model), 4u);
    EXPECT_EQ(TestAccess::TriangleCount(m_frame->m_model), 96);
    EXPECT_TRUE(TestAccess::HasWorker(m_frame->m_player));
    EXPECT_TRUE(TestAccess::HasWorker(m_frame->m_model));
    EXPECT_EQ(TestAccess::Owner(m_frame->m_player), static_cast<IWindowServices*>(m_frame));
    EXPECT_EQ(m_frame->m_hPalette, nullptr) << "a true-colour display needs no palette";
    EXPECT_EQ(m_frame->PaletteRealizations(), 0);
    EXPECT_EQ(m_frame->m_dib.GetRect(), (Rect{0, 0, 16, 16})) << "the frame's blank bitmap";
}

TEST_F(MainFrameTest, ClientAreaCountsTheStatusBarStrip) {
    PumpFor(200ms);
    const Rect client = m_frame->GetClientRect();
    const wxSize frameClient = m_frame->GetClientSize();
    const int strip = m_frame->m_wndStatusBar->GetSize().y;
    EXPECT_GT(strip, 0);
    EXPECT_EQ(client, (Rect{0, 0, frameClient.x, frameClient.y + strip}));
    const wxPoint canvasOnScreen = m_frame->Canvas()->GetScreenPosition();
    EXPECT_EQ(m_frame->ClientToScreen(Point{0, 0}), (Point{canvasOnScreen.x, canvasOnScreen.y}));
    EXPECT_EQ(m_frame->ScreenToClient(m_frame->ClientToScreen(Point{17, 29})), (Point{17, 29}));
}

TEST_F(MainFrameTest, CrosshairCommandsMoveTheCheckMark) {
    EXPECT_TRUE(Checked(ID_OPTIONS_CROSSHAIR));
    EXPECT_FALSE(Checked(ID_OPTIONS_GRID));
    Command(ID_OPTIONS_GRID);
    EXPECT_EQ(m_frame->m_player.m_crosshairStyle.load(), 0);
    EXPECT_FALSE(Checked(ID_OPTIONS_CROSSHAIR));
    EXPECT_TRUE(Checked(ID_OPTIONS_GRID));
    Command(ID_OPTIONS_GRID);
    EXPECT_TRUE(Checked(ID_OPTIONS_GRID)) << "choosing the active style changes nothing";
    Command(ID_OPTIONS_CROSSHAIR);
    EXPECT_EQ(m_frame->m_player.m_crosshairStyle.load(), 1);
    EXPECT_TRUE(Checked(ID_OPTIONS_CROSSHAIR));
    EXPECT_FALSE(Checked(ID_OPTIONS_GRID));
}

TEST_F(MainFrameTest, ClickCapturesAndEscapeReleasesAnyNumberOfTimes) {
    const int startCount = m_frame->Cursor().DisplayCount();
    m_frame->OnKeyDown(VK_ESCAPE);
    EXPECT_EQ(m_frame->m_bCaptured, 0) << "Escape while free does nothing";
    EXPECT_EQ(m_frame->Cursor().DisplayCount(), startCount);
    for (int round = 0; round < 4; ++round) {
        m_frame->OnLButtonUp();
        EXPECT_EQ(m_frame->m_bCaptured, 1);
        EXPECT_EQ(m_frame->m_player.m_mouseLook.load(), 1);
        EXPECT_TRUE(m_frame->Canvas()->HasCapture());
        EXPECT_EQ(m_frame->Cursor().DisplayCount(), startCount - 1);
        EXPECT_EQ(m_frame->Cursor().ClipRect(), m_frame->ClientRectOnScreen());
        m_frame->OnLButtonUp();
        EXPECT_EQ(m_frame->Cursor().DisplayCount(), startCount - 1)
            << "a click while captured hides nothing more";
        m_frame->OnKeyDown(VK_KEY_A);
        EXPECT_EQ(m_frame->m_bCaptured, 1) << "only Escape releases";
        m_frame->OnKeyDown(VK_ESCAPE);
        EXPECT_EQ(m_frame->m_bCaptured, 0);
        EXPECT_EQ(m_frame->m_player.m_mouseLook.load(), 0);
        EXPECT_FALSE(m_frame->Canvas()->HasCapture());
        EXPECT_EQ(m_frame->Cursor().DisplayCount(), startCount);
        const wxRect desktop = wxDisplay(0u).GetGeometry();
        EXPECT_EQ(m_frame->Cursor().ClipRect(),
                  (Rect{desktop.x, desktop.y, desktop.GetRight() + 1, desktop.GetBottom() + 1}));
    }
}

// The spin angle under the model's lock, as the painting code reads it.
float Spin(CMovingModel& model) {
    return TestAccess::GetPose(model).rotX;
}

TEST_F(MainFrameTest, DeactivationPausesBothWorkersAndActivationResumesThem) {
    m_frame->OnActivateApp(true);  // already running: a resume changes nothing
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_player), 0);
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_model), 0);
    m_frame->OnActivateApp(false);
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_player), 1);
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_model), 1);
    PumpFor(100ms);
    const float paused = Spin(m_frame->m_model);
    const int paints = m_frame->PaintCount();
    PumpFor(300ms);
    EXPECT_EQ(Spin(m_frame->m_model), paused) << "the model stands still";
    EXPECT_LE(m_frame->PaintCount() - paints, 1) << "a paused player asks for no repaints";
    m_frame->OnActivateApp(true);
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_player), 0);
    EXPECT_EQ(TestAccess::PauseCount(m_frame->m_model), 0);
    EXPECT_TRUE(PumpUntil([&] { return Spin(m_frame->m_model) > paused; }));
    EXPECT_TRUE(PumpUntil([&] { return m_frame->PaintCount() > paints + 2; }));
}

TEST_F(MainFrameTest, RepeatedRepaintRequestsGiveOnePaint) {
    m_frame->OnActivateApp(false);  // no requests of the worker's own
    PumpFor(200ms);
    const int before = m_frame->PaintCount();
    std::thread worker([&] {
        for (int i = 0; i < 500; ++i) m_frame->InvalidateRect();
    });
    worker.join();
    EXPECT_TRUE(PumpUntil([&] { return m_frame->PaintCount() > before; }));
    PumpFor(200ms);
    EXPECT_LE(m_frame->PaintCount() - before, 2);
    m_frame->OnActivateApp(true);
}

TEST_F(MainFrameTest, KeysReachTheTableEvenWhenTheyFireAnAccelerator) {
    m_frame->OnActivateApp(false);  // the input worker would clear the pressed bits
    PumpFor(100ms);
    wxUIActionSimulator input;
    const wxPoint centre = m_frame->Canvas()->ClientToScreen(wxPoint(
        m_frame->Canvas()->GetClientSize().x / 2, m_frame->Canvas()->GetClientSize().y / 2));
    input.MouseMove(centre);
    m_frame->Canvas()->SetFocus();
    PumpFor(200ms);
    AsyncKeyTable& keys = m_frame->GetKeyTable();
    keys.Clear();
    input.KeyDown(WXK_CONTROL);
    input.KeyDown('Z');  // Ctrl+Z is an accelerator of the window
    ASSERT_TRUE(PumpUntil(
        [&] { return (keys.GetAsyncKeyState(VK_KEY_Z) & AsyncKeyTable::kDownBit) != 0; }, 5s))
        << "Z held with Ctrl must be seen as down";
    EXPECT_NE(keys.GetAsyncKeyState(VK_CONTROL) & AsyncKeyTable::kDownBit, 0);
    input.KeyUp('Z');
    input.KeyUp(WXK_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return keys.GetAsyncKeyState(VK_CONTROL) == 0; }, 5s));
    m_frame->OnActivateApp(true);
}

using PaletteFrameTest = FrameTestBase<PaletteDisplayFrame>;

TEST_F(PaletteFrameTest, PaletteDisplayGetsTheFixedPaletteAtEveryPaint) {
    ASSERT_NE(m_frame->m_hPalette, nullptr);
    ASSERT_EQ(m_frame->m_hPalette->GetColoursCount(), kColorPaletteSize);
    const auto expected = ColorPaletteEntries();
    for (int i = 0; i < kColorPaletteSize; ++i) {
        unsigned char r = 0, g = 0, b = 0;
        ASSERT_TRUE(m_frame->m_hPalette->GetRGB(i, &r, &g, &b));
        EXPECT_EQ((PALETTEENTRY{r, g, b, 0}), expected[i]) << "entry " << i;
    }
    ASSERT_TRUE(PumpUntil([&] { return m_frame->PaintCount() >= 3; }));
    EXPECT_EQ(m_frame->PaletteRealizations(), m_frame->PaintCount());
    m_frame->StopWorkers();
    m_frame->OnDestroy();
    EXPECT_EQ(m_frame->m_hPalette, nullptr) << "the palette goes with the window";
    EXPECT_EQ(m_frame->m_hRC, nullptr);
}

// Closing must stop and end both workers first, whatever state they are in.
struct CloseCase {
    const char* name;
    int pauses;
    bool captured;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class CloseTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseTest, WorkersEndBeforeTheWindowGoes) {
    test::ScopedTempDir dir;
    auto* frame = new WatchedFrame;
    ASSERT_TRUE(frame->LoadFrame(MainFrameResources(), wxDEFAULT_FRAME_STYLE));
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return frame->SceneReady() && frame->PaintCount() > 0; }));
    for (int i = 0; i < GetParam().pauses; ++i) frame->OnActivateApp(false);
    if (GetParam().captured) frame->OnLButtonUp();
    g_workersEndedBeforeDestruction = false;
    frame->Close(true);
    ASSERT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
    EXPECT_TRUE(g_workersEndedBeforeDestruction);
}

INSTANTIATE_TEST_SUITE_P(States, CloseTest,
                         ::testing::Values(CloseCase{"Running", 0, false},
                                           CloseCase{"PausedOnce", 1, false},
                                           CloseCase{"PausedThrice", 3, false},
                                           CloseCase{"Captured", 0, true},
                                           CloseCase{"PausedAndCaptured", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bravok
