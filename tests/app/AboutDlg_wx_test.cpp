#include "app/AboutDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>


namespace bravok {
namespace {

using namespace std::chrono_literals;

void YieldUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(10ms);
    }
}

// Shows the dialog modally and, once it is on screen, presses key on the X server
// with the pointer over the dialog, as a person would. A key that does not end the
// modal loop fails the test rather than hanging it: the loop then ends with wxID_ABORT.
int ShowModalAndPress(wxDialog& dialog, int key) {
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
    });
    watchdog.StartOnce(10000);
    dialog.CallAfter([&dialog, key] {
        YieldUntil([&dialog] { return dialog.IsShownOnScreen(); }, 5s);
        wxUIActionSimulator input;
        const wxRect area = dialog.GetScreenRect();
        input.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
        YieldUntil([&dialog] { return dialog.IsActive(); }, 2s);  // the focus follows the pointer
        input.Char(key);
    });
    return dialog.ShowModal();
}

// The icon, the two lines and the button, in tab order, each where the template's
// dialog units put it; OK is the default button.
TEST(AboutDlg, LaysOutItsControlsInDialogUnits) {
    CAboutDlg dialog;
    const auto dlu = [&dialog](int x, int y, int width, int height) {
        return wxRect(dialog.ConvertDialogToPixels(wxPoint(x, y)),
                      dialog.ConvertDialogToPixels(wxSize(width, height)));
    };
    EXPECT_EQ(dialog.GetTitle(), "About Bravok");
    EXPECT_EQ(dialog.GetClientSize(), dlu(0, 0, 217, 55).GetSize());
    const std::vector<wxWindow*> controls(dialog.GetChildren().begin(), dialog.GetChildren().end());
    ASSERT_EQ(controls.size(), 4u);

    auto* icon = dynamic_cast<wxStaticBitmap*>(controls[0]);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetRect(), wxRect(dlu(11, 17, 0, 0).GetPosition(), wxSize(32, 32)));
    EXPECT_EQ(icon->GetBitmap().GetSize(), wxSize(32, 32));

    for (int i = 0; i < 2; ++i) {
        auto* text = dynamic_cast<wxStaticText*>(controls[1 + i]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetRect(), dlu(40, 10 + 15 * i, 119, 8));
        EXPECT_FALSE(text->GetLabelText().empty());
        EXPECT_LE(text->GetTextExtent(text->GetLabelText()).x, text->GetSize().x) << "clipped";
    }
    EXPECT_EQ(controls[1]->GetLabel(), "Bravok Version 1.0");

    auto* ok = dynamic_cast<wxButton*>(controls[3]);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetRect(), dlu(178, 7, 32, 14));
    EXPECT_EQ(ok->GetLabelText(), "OK");
    EXPECT_EQ(ok->GetId(), wxID_OK);
    EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

TEST(AboutDlg, EscapeAndEnterEndTheModalLoop) {
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        CAboutDlg dialog;
        EXPECT_EQ(ShowModalAndPress(dialog, key), wxID_OK) << "key " << key;
        EXPECT_FALSE(dialog.IsShown());
    }
}

}  // namespace
}  // namespace bravok
