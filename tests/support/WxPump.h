#pragma once

#include <wx/app.h>
#include <wx/evtloop.h>

#include <chrono>
#include <thread>

#include "Eventually.h"

namespace bravok::test {

// Runs the event loop until pred holds or a generous deadline passes.
template <typename Pred>
bool PumpUntil(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    return Eventually(pred, timeout, [] {
        wxYield();
#ifdef __WXMSW__
        // Under Wine, wxYield leaves paint messages waiting (a window would never
        // be painted); the loop's own dispatch, as the application's loop runs
        // it, takes them. Bounded, in case a window never stops asking.
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        for (int i = 0; i < 100 && loop.Pending(); ++i) loop.Dispatch();
#endif
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
}

}  // namespace bravok::test
