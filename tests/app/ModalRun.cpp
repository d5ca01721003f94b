#include "ModalRun.h"

#include <wx/app.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <thread>

namespace bravok::test {

namespace {

// Lets wx handle events until condition holds or the time-out passes.
bool YieldUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace

int ShowModalAndThen(wxDialog& dialog, std::function<void()> action,
                     std::chrono::milliseconds timeout) {
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
    });
    watchdog.StartOnce(static_cast<int>(timeout.count()));
    dialog.CallAfter([&dialog, action = std::move(action)] {
        YieldUntil([&dialog] { return dialog.IsShownOnScreen(); }, std::chrono::seconds(5));
        action();
    });
    return dialog.ShowModal();
}

void PressKeyOver(wxTopLevelWindow& window, int wxKeyCode) {
    wxUIActionSimulator input;
    const wxRect area = window.GetScreenRect();
    input.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
    // Give the window the keyboard focus the pointer brings before typing.
    YieldUntil([&window] { return window.IsActive(); }, std::chrono::seconds(2));
    input.Char(wxKeyCode);
}

}  // namespace bravok::test
