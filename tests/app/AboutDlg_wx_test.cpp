#include "app/AboutDlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <memory>
#include <vector>

#include "ModalRun.h"
#include "app/Version.h"

namespace bravok {
namespace {

// A rectangle of the About template in dialog units, converted the dialog's way.
wxRect FromDialogUnits(wxWindow& dialog, int x, int y, int width, int height) {
    return wxRect(dialog.ConvertDialogToPixels(wxPoint(x, y)),
                  dialog.ConvertDialogToPixels(wxSize(width, height)));
}

class AboutDlgTest : public testing::Test {
  protected:
    std::vector<wxWindow*> Controls() const {
        return {m_dialog.GetChildren().begin(), m_dialog.GetChildren().end()};
    }

    CAboutDlg m_dialog;
};

TEST_F(AboutDlgTest, HasItsCaptionAndClientSizeInDialogUnits) {
    EXPECT_EQ(m_dialog.GetTitle(), "About Bravok");
    EXPECT_EQ(m_dialog.GetClientSize(), m_dialog.ConvertDialogToPixels(wxSize(217, 55)));
    EXPECT_EQ(m_dialog.GetParent(), nullptr);
}

// The icon, the two lines and the button, in tab order, each where the template's
// dialog units put it.
TEST_F(AboutDlgTest, ControlsSitAtTheirTemplatePlacesInTabOrder) {
    const auto controls = Controls();
    ASSERT_EQ(controls.size(), 4u);

    auto* icon = dynamic_cast<wxStaticBitmap*>(controls[0]);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetPosition(), FromDialogUnits(m_dialog, 11, 17, 20, 20).GetPosition());
    EXPECT_EQ(icon->GetBitmap().GetSize(), wxSize(32, 32));
    EXPECT_EQ(icon->GetSize(), wxSize(32, 32)) << "the icon keeps its image's size";

    const wxRect textRects[] = {FromDialogUnits(m_dialog, 40, 10, 119, 8),
                                FromDialogUnits(m_dialog, 40, 25, 119, 8)};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(testing::Message() << "text line " << i + 1);
        auto* text = dynamic_cast<wxStaticText*>(controls[static_cast<std::size_t>(1 + i)]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetRect(), textRects[i]);
        EXPECT_TRUE(text->HasFlag(wxST_NO_AUTORESIZE));
    }

    auto* ok = dynamic_cast<wxButton*>(controls[3]);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetRect(), FromDialogUnits(m_dialog, 178, 7, 32, 14));
    EXPECT_TRUE(m_dialog.GetClientRect().Contains(ok->GetRect()));
}

TEST_F(AboutDlgTest, TextLinesShowTheirWholeTextUnprocessed) {
    const auto controls = Controls();
    ASSERT_EQ(controls.size(), 4u);
    const std::string_view expected[] = {version::kAboutVersionLine, version::kAboutCopyrightLine};
    for (int i = 0; i < 2; ++i) {
        auto* text = dynamic_cast<wxStaticText*>(controls[static_cast<std::size_t>(1 + i)]);
        ASSERT_NE(text, nullptr);
        const wxString label = wxString::FromUTF8(expected[i].data(), expected[i].size());
        EXPECT_EQ(text->GetLabelText(), label);
        // Nothing clipped: the text fits the control laid out for it.
        const wxSize extent = text->GetTextExtent(label);
        EXPECT_LE(extent.x, text->GetSize().x) << label;
        EXPECT_LE(extent.y, text->GetSize().y + 1) << label;
    }
    EXPECT_EQ(controls[1]->GetLabel(), "Bravok Version 1.0");
}

TEST_F(AboutDlgTest, OkIsTheDefaultButtonAndEveryWayOutEndsWithIt) {
    auto* ok = dynamic_cast<wxButton*>(m_dialog.FindWindow(wxID_OK));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetLabelText(), "OK");
    EXPECT_EQ(m_dialog.GetDefaultItem(), ok);
    EXPECT_TRUE(ok->CanAcceptFocus());
    EXPECT_EQ(m_dialog.GetAffirmativeId(), wxID_OK);
    EXPECT_EQ(m_dialog.GetEscapeId(), wxID_OK);
}

TEST_F(AboutDlgTest, EscapeEndsTheModalLoop) {
    const int result =
        test::ShowModalAndThen(m_dialog, [this] { test::PressKeyOver(m_dialog, WXK_ESCAPE); });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_FALSE(m_dialog.IsShown());
}

TEST_F(AboutDlgTest, EnterEndsTheModalLoop) {
    const int result =
        test::ShowModalAndThen(m_dialog, [this] { test::PressKeyOver(m_dialog, WXK_RETURN); });
    EXPECT_EQ(result, wxID_OK);
}

TEST_F(AboutDlgTest, ClickingOkEndsTheModalLoop) {
    const int result = test::ShowModalAndThen(m_dialog, [this] {
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(m_dialog.FindWindow(wxID_OK));
        m_dialog.FindWindow(wxID_OK)->ProcessWindowEvent(click);
    });
    EXPECT_EQ(result, wxID_OK);
}

// The About box can be shown over the main window, and more than once.
TEST(AboutDlgOverAFrame, ShowsModallyOverItsParentAgainAndAgain) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Bravok", wxDefaultPosition, wxSize(500, 500));
    frame->Show();
    for (int i = 0; i < 2; ++i) {
        CAboutDlg dialog(frame);
        EXPECT_EQ(dialog.GetParent(), frame);
        EXPECT_EQ(
            test::ShowModalAndThen(dialog, [&dialog] { test::PressKeyOver(dialog, WXK_ESCAPE); }),
            wxID_OK);
    }
    frame->Destroy();
}

}  // namespace
}  // namespace bravok
