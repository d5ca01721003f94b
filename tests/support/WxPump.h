#pragma once

#include <wx/app.h>

#include <chrono>
#include <thread>

#include "Eventually.h"

namespace bravok::test {

// Runs the event loop until pred holds or a generous deadline passes.
template <typename Pred>
bool PumpUntil(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    return Eventually(pred, timeout, [] {
        wxYield();
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
}

}  // namespace bravok::test
