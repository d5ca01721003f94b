#pragma once

#include <wx/dialog.h>

namespace bravok {

// The About box (IDD_ABOUTBOX): the program's icon, name and version, a copyright
// line and an OK button. Laid out in dialog units, so it grows with the font.
// "OK", Enter and Escape close it; run it with ShowModal().
class CAboutDlg : public wxDialog {
  public:
    explicit CAboutDlg(wxWindow* parent = nullptr);
};

}  // namespace bravok
