#include "frame/MainFrame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/statusbr.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "FrameAccess.h"
#include "SceneTestSupport.h"
#include "WxPump.h"
#include "app/Resources.h"
#include "frame/CommandIds.h"
#include "platform/Display.h"
#include "platform/VirtualKeys.h"
#include "render/RenderPass.h"

namespace bravok {
namespace {

using test::PumpUntil;

// Counts the work posted to the window's thread; may play a palette display.
class TestFrame : public CMainFrame {
  public:
    bool paletteDisplay = false;
    std::atomic<int> posts{0};

  protected:
    PixelFormatDescriptor DescribePixelFormat() const override {
        PixelFormatDescriptor described = CMainFrame::DescribePixelFormat();
        if (paletteDisplay) described.dwFlags |= PFD_NEED_PALETTE;
        return described;
    }
    void PostToWindowThread(std::function<void()> work) override {
        ++posts;
        CMainFrame::PostToWindowThread(std::move(work));
    }
};

// Made with the game's resources; shown (and first painted) unless told not to.
TestFrame* MakeFrame(bool paletteDisplay = false, bool show = true) {
    auto* frame = new TestFrame;
    frame->paletteDisplay = paletteDisplay;
    EXPECT_TRUE(frame->LoadFrame(
        {CreateMainMenuBar(), CreateMainAcceleratorTable(), MainFrameIcons(), "Bravok", "Ready"},
        wxDEFAULT_FRAME_STYLE));
    if (show) {
        frame->Show();
        EXPECT_TRUE(PumpUntil([&] { return CMainFrameTestAccess(*frame).SceneReady(); }));
    }
    return frame;
}

void Close(CMainFrame* frame) {
    frame->Close(true);
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
}

class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(std::filesystem::path(BRAVOK_DATA_DIR) / "cylinder.vtx",
                                   m_dir.Path() / "cylinder.vtx");
    }
    test::ScopedTempDir m_dir;
};

TEST_F(MainFrameTest, CreationBuildsTheWindowAndLightsTheScene) {
    TestFrame* frame = MakeFrame(false, false);
    CMainFrameTestAccess state(*frame);
    EXPECT_EQ(frame->GetSize(), frame->FromDIP(wxSize(500, 500))) << "at creation, scaled";
    ASSERT_EQ(frame->GetStatusBar()->GetStatusText(), "Ready") << "made before the first paint";
    EXPECT_EQ(state.Palette(), nullptr) << "a true-colour display needs no palette";
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return state.SceneReady(); }));
    EXPECT_TRUE(state.ModelLoaded());

    // The client area is the view and the status bar's strip under it, as the
    // screen shows them; the viewport covers all of it, the strip included.
    const wxRect view = frame->Canvas()->GetScreenRect();
    const wxRect all = view.Union(frame->GetStatusBar()->GetScreenRect());
    EXPECT_EQ(frame->WindowServices().GetClientRect(), (Rect{0, 0, all.width, all.height}));
    ASSERT_TRUE(state.Context()->SetCurrent(*frame->Canvas()));
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport,
              (std::array<GLint, 4>{0, view.GetBottom() - all.GetBottom(), all.width, all.height}));
    // One frustum, +-1 across and up, near 2, far 60, whatever the shape.
    std::array<float, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    EXPECT_EQ((std::array<float, 5>{m[0], m[5], m[10], m[11], m[14]}),
              (std::array<float, 5>{2, 2, -62.0f / 58, -1, -240.0f / 58}));
    // The scene's light, its position in eye space: set before the view transform.
    const std::pair<GLenum, std::array<float, 4>> light[] = {{GL_AMBIENT, kSceneLight.ambient},
                                                             {GL_DIFFUSE, kSceneLight.diffuse},
                                                             {GL_SPECULAR, kSceneLight.specular},
                                                             {GL_POSITION, kSceneLight.position}};
    for (const auto& [name, expected] : light) {
        std::array<float, 4> value{};
        glGetLightfv(GL_LIGHT0, name, value.data());
        EXPECT_EQ(value, expected) << name;
    }
    MakeNoContextCurrent();
    Close(frame);
}

TEST_F(MainFrameTest, CrosshairCommandsMoveTheCheckMark) {
    TestFrame* frame = MakeFrame();
    auto checked = [frame](unsigned id) {
        wxUpdateUIEvent event(WxId(id));
        frame->GetEventHandler()->ProcessEvent(event);
        return event.GetSetChecked() && event.GetChecked();
    };
    const std::pair<unsigned, bool> steps[] = {{0, true},
                                               {ID_OPTIONS_GRID, false},
                                               {ID_OPTIONS_GRID, false},
                                               {ID_OPTIONS_CROSSHAIR, true}};
    for (const auto& [id, ring] : steps) {
        wxCommandEvent command(wxEVT_MENU, WxId(id));
        if (id != 0) frame->GetEventHandler()->ProcessEvent(command);
        EXPECT_EQ(checked(ID_OPTIONS_CROSSHAIR), ring);
        EXPECT_EQ(checked(ID_OPTIONS_GRID), !ring);
    }
    Close(frame);
}

TEST_F(MainFrameTest, ClickCapturesAndEscapeReleasesAnyNumberOfTimes) {
    TestFrame* frame = MakeFrame();
    CMainFrameTestAccess state(*frame);
    frame->OnKeyDown(VK_ESCAPE);  // while free: nothing to release
    wxRect view = frame->Canvas()->GetScreenRect();
    view.height += frame->GetStatusBar()->GetSize().y;
    for (int round = 0; round < 3; ++round) {
        for (int clicks = 0; clicks < 2; ++clicks) frame->OnLButtonUp();
        EXPECT_TRUE(state.Captured() == 1 && state.MouseLook() == 1 &&
                    frame->Canvas()->HasCapture());
        EXPECT_EQ(state.Cursor().DisplayCount(), -1) << "a click while held hides no more";
        EXPECT_EQ(state.Cursor().ClipRect(),
                  (Rect{view.x, view.y, view.x + view.width, view.y + view.height}));
        frame->OnKeyDown(VK_ESCAPE);
        EXPECT_TRUE(state.Captured() == 0 && state.MouseLook() == 0 &&
                    !frame->Canvas()->HasCapture());
        EXPECT_EQ(state.Cursor().DisplayCount(), 0);
        const wxRect desktop = wxDisplay().GetGeometry();
        EXPECT_EQ(state.Cursor().ClipRect(), (Rect{0, 0, desktop.width, desktop.height}));
    }
    Close(frame);
}

// A held pointer stays in the client area wherever the desktop takes the
// window: to another place, or to another size (as on a monitor of another
// scale, where the toolkit gives the window the size the system suggests).
TEST_F(MainFrameTest, AHeldPointerFollowsTheClientArea) {
    TestFrame* frame = MakeFrame();
    CMainFrameTestAccess state(*frame);
    frame->OnLButtonUp();
    const auto clientOnScreen = [frame] {
        wxRect all = frame->Canvas()->GetScreenRect();
        all.height += frame->GetStatusBar()->GetSize().y;
        return Rect{all.x, all.y, all.x + all.width, all.y + all.height};
    };
    const std::function<void()> moves[] = {
        [frame] { frame->Move(frame->GetPosition() + wxPoint(40, 30)); },
        [frame] { frame->SetSize(frame->GetSize() + wxSize(60, -50)); },
    };
    for (std::size_t i = 0; i < std::size(moves); ++i) {
        const Rect before = clientOnScreen();
        moves[i]();
        EXPECT_TRUE(PumpUntil([&] {
            return clientOnScreen() != before && state.Cursor().ClipRect() == clientOnScreen();
        })) << "move "
            << i;
        const Rect client = clientOnScreen();
        EXPECT_EQ(frame->WindowServices().GetClientRect(),
                  (Rect{0, 0, client.right - client.left, client.bottom - client.top}));
        EXPECT_TRUE(frame->Canvas()->HasCapture());
    }
    Close(frame);
}

// Workers pause while inactive, also after a deactivation before they started.
TEST_F(MainFrameTest, InactiveApplicationPausesBothWorkers) {
    for (bool beforeFirstPaint : {true, false}) {
        SCOPED_TRACE(beforeFirstPaint ? "before the first paint" : "while running");
        TestFrame* frame = MakeFrame(false, !beforeFirstPaint);
        CMainFrameTestAccess state(*frame);
        frame->OnActivateApp(true);  // already running: a resume changes nothing
        frame->OnActivateApp(false);
        if (beforeFirstPaint) {
            frame->Show();
            ASSERT_TRUE(PumpUntil([&] { return state.SceneReady(); }));
        }
        EXPECT_EQ(state.Pauses(), std::make_pair(1, 1));
        const int posts = frame->posts;
        frame->OnActivateApp(true);
        EXPECT_EQ(state.Pauses(), std::make_pair(0, 0));
        EXPECT_TRUE(PumpUntil([&] { return frame->posts > posts + 2; }));
        Close(frame);
    }
}

TEST_F(MainFrameTest, RepeatedRepaintRequestsPostOnce) {
    TestFrame* frame = MakeFrame();
    frame->StopWorkers();              // no requests of the worker's own
    wxTheApp->ProcessPendingEvents();  // one it made last may still wait to run
    const int before = frame->posts;
    std::thread worker([frame] {
        for (int i = 0; i < 100; ++i) frame->WindowServices().InvalidateRect();
    });
    worker.join();
    EXPECT_EQ(frame->posts - before, 1);
    // Once the posted repaint has run, the next request posts again.
    EXPECT_TRUE(PumpUntil([frame, before] {
        frame->WindowServices().InvalidateRect();
        return frame->posts - before == 2;
    }));
    Close(frame);
}

TEST_F(MainFrameTest, PaletteDisplayGetsTheFixedPalette) {
    TestFrame* frame = MakeFrame(true);
    CMainFrameTestAccess state(*frame);
    ASSERT_NE(state.Palette(), nullptr);
    EXPECT_EQ(state.Palette()->GetColoursCount(), 256);
    const std::pair<int, std::array<unsigned char, 3>> entries[] = {
        {0, {0, 0, 0}},   {255, {255, 255, 255}}, {7, {255, 0, 0}},      {2, {72, 0, 0}},
        {6, {218, 0, 0}}, {64, {0, 0, 85}},       {3 << 3, {0, 109, 0}}, {192, {0, 0, 255}}};
    for (const auto& [index, rgb] : entries) {
        std::array<unsigned char, 3> actual{};
        ASSERT_TRUE(state.Palette()->GetRGB(index, &actual[0], &actual[1], &actual[2]));
        EXPECT_EQ(actual, rgb) << "entry " << index;
    }
    Close(frame);
}

// Closing ends both workers first, whatever their state.
TEST_F(MainFrameTest, ClosingEndsTheWorkersInEveryState) {
    const std::pair<int, bool> cases[] = {{0, false}, {1, false}, {3, false}, {0, true}, {2, true}};
    for (const auto& [pauses, captured] : cases) {
        TestFrame* frame = MakeFrame();
        for (int i = 0; i < pauses; ++i) frame->OnActivateApp(false);
        if (captured) frame->OnLButtonUp();
        frame->Close(true);
        EXPECT_EQ(CMainFrameTestAccess(*frame).Pauses(), std::make_pair(-1, -1)) << pauses;
        EXPECT_TRUE(CMainFrameTestAccess(*frame).Cursor().Visible());
        EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
    }
}

}  // namespace
}  // namespace bravok
