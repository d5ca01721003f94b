#include "app/AboutDlg.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/IconResource.h"
#include "app/Version.h"
#include "app/WxText.h"

namespace bravok {

namespace {

// The dialog's client size in dialog units.
constexpr int kWidthDlu = 217;
constexpr int kHeightDlu = 55;

// A left-aligned line of text kept at its laid-out size. Its label is shown as it
// stands: an "&" would be a character, not a mnemonic.
void AddTextLine(wxWindow* dialog, std::string_view text, wxPoint positionDlu, wxSize sizeDlu) {
    auto* line = new wxStaticText(
        dialog, wxID_STATIC, wxEmptyString, dialog->ConvertDialogToPixels(positionDlu),
        dialog->ConvertDialogToPixels(sizeDlu), wxALIGN_LEFT | wxST_NO_AUTORESIZE);
    line->SetLabelText(ToWx(text));
}

// The program's 32-pixel icon at `size`: GTK scales it itself and asks for 32,
// Windows counts the screen's own pixels and asks for more on a scaled desktop.
wxBitmap ScaledIcon(wxSize size) {
    wxBitmap icon(MainFrameIcons().GetIcon(32));
    if (icon.GetSize() == size) return icon;
    return wxBitmap(icon.ConvertToImage().Scale(size.x, size.y, wxIMAGE_QUALITY_HIGH));
}

}  // namespace

// The dialog keeps the desktop's default GUI font: dialog units scale every
// position and size with it, so the layout holds at any font size.
CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "About Bravok", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
    SetClientSize(ConvertDialogToPixels(wxSize(kWidthDlu, kHeightDlu)));

    // Children are created in tab order; wx owns them. The icon keeps its image's
    // own size at its place, as an icon control does, in the desktop's scaled
    // pixels like everything around it.
    new wxStaticBitmap(this, wxID_STATIC, ScaledIcon(FromDIP(wxSize(32, 32))),
                       ConvertDialogToPixels(wxPoint(11, 17)), FromDIP(wxSize(32, 32)));
    AddTextLine(this, version::kAboutVersionLine, wxPoint(40, 10), wxSize(119, 8));
    AddTextLine(this, version::kAboutCopyrightLine, wxPoint(40, 25), wxSize(119, 8));
    auto* ok = new wxButton(this, wxID_OK, "OK", ConvertDialogToPixels(wxPoint(178, 7)),
                            ConvertDialogToPixels(wxSize(32, 14)));
    ok->SetDefault();
    ok->SetFocus();

    // Enter presses the default button; Escape and the close box do the same.
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

}  // namespace bravok
