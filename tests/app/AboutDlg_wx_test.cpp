#include "app/AboutDlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <vector>

#include "WxPump.h"

namespace bravok {
namespace {

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
    ASSERT_NE(dynamic_cast<wxStaticBitmap*>(controls[0]), nullptr);
    EXPECT_EQ(controls[0]->GetRect(), wxRect(dlu(11, 17, 0, 0).GetPosition(), wxSize(32, 32)));
    for (int i : {1, 2}) {
        auto* text = dynamic_cast<wxStaticText*>(controls[i]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetRect(), dlu(40, 10 + 15 * (i - 1), 119, 8));
        EXPECT_FALSE(text->GetLabelText().empty());
        EXPECT_LE(text->GetTextExtent(text->GetLabelText()).x, text->GetSize().x) << "clipped";
    }
    EXPECT_EQ(controls[1]->GetLabel(), "Bravok Version 1.0");
    auto* ok = dynamic_cast<wxButton*>(controls[3]);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetRect(), dlu(178, 7, 32, 14));
    EXPECT_EQ(ok->GetLabelText(), "OK");
    EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

// Each key, pressed on the X server over the shown box, ends the modal loop
// with OK; one that does not fails the test rather than hanging it.
TEST(AboutDlg, EscapeAndEnterEndTheModalLoop) {
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        CAboutDlg dialog;
        wxTimer watchdog;
        watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndModal(wxID_ABORT); });
        watchdog.StartOnce(10000);
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
