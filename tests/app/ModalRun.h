#pragma once

#include <wx/dialog.h>

#include <chrono>
#include <functional>

namespace bravok::test {

// Runs dialog.ShowModal() and, once the dialog is on screen and its modal loop
// runs, calls action. A broken close path fails the test rather than hanging it:
// after the time-out the loop ends with wxID_ABORT.
int ShowModalAndThen(wxDialog& dialog, std::function<void()> action,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Presses and releases one key on the X server, as a person would, with the
// pointer over the window so that the keyboard goes to it.
void PressKeyOver(wxTopLevelWindow& window, int wxKeyCode);

}  // namespace bravok::test
