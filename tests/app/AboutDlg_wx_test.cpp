#include "app/AboutDlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cmath>
#include <vector>

#include "WxPump.h"

namespace bravok {
namespace {

// The icon (32 of the desktop's scaled pixels square), two lines and the default
// OK button, in tab order, placed in dialog units: a quarter of the dialog font's
// average letter width across, an eighth of its height down, the width averaged
// over the 52 letters as (w / 26 + 1) / 2.
TEST(AboutDlg, LaysOutItsControlsInDialogUnits) {
    CAboutDlg dialog;
    const wxSize letters =
        dialog.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double across = (letters.x / 26 + 1) / 2 / 4.0, down = letters.y / 8.0;
    const auto dlu = [&](int x, int y, int width, int height) {
        return wxRect(std::lround(x * across), std::lround(y * down), std::lround(width * across),
                      std::lround(height * down));
    };
    EXPECT_EQ(dialog.GetTitle(), "About Bravok");
    EXPECT_EQ(dialog.GetClientSize(), dlu(0, 0, 217, 55).GetSize());
    const std::vector<wxWindow*> controls(dialog.GetChildren().begin(), dialog.GetChildren().end());
    ASSERT_EQ(controls.size(), 4u);
    const wxRect expected[] = {
        wxRect(dlu(11, 17, 0, 0).GetPosition(), dialog.FromDIP(wxSize(32, 32))),
        dlu(40, 10, 119, 8), dlu(40, 25, 119, 8), dlu(178, 7, 32, 14)};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(controls[i]->GetRect(), expected[i]) << i;
    ASSERT_NE(dynamic_cast<wxStaticBitmap*>(controls[0]), nullptr);
    EXPECT_EQ(controls[1]->GetLabel(), "Bravok Version 1.0");
    EXPECT_LE(controls[2]->GetTextExtent(controls[2]->GetLabel()).x, controls[2]->GetSize().x);
    EXPECT_EQ(controls[3]->GetLabel(), "OK");
    EXPECT_EQ(dialog.GetDefaultItem(), controls[3]);
}

// Each key, typed on the X server, ends the modal loop with OK (a watchdog ends it else).
TEST(AboutDlg, EscapeAndEnterEndTheModalLoop) {
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        CAboutDlg dialog;
        wxTimer watchdog;
        watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndModal(wxID_ABORT); });
        watchdog.StartOnce(60000);  // longer than the waits below, on a busy machine too
        dialog.CallAfter([&dialog, key] {
            test::PumpUntil([&dialog] { return dialog.IsShownOnScreen(); });
            wxUIActionSimulator input;
            input.MouseMove(dialog.GetScreenRect().GetPosition() + dialog.GetSize() / 2);
            test::PumpUntil([&dialog] { return dialog.IsActive(); });  // focus follows the pointer
            input.Char(key);
        });
        EXPECT_EQ(dialog.ShowModal(), wxID_OK) << "key " << key;
    }
}

}  // namespace
}  // namespace bravok
