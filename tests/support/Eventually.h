#pragma once

#include <chrono>
#include <thread>

namespace bravok::test {

// Waits until pred holds, doing step between looks; false when a generous
// deadline passes first. Tests wait for threads this way instead of sleeping a
// fixed time, so a slow machine makes them slower, not flaky.
template <typename Pred, typename Step>
bool Eventually(Pred pred, std::chrono::milliseconds timeout, Step step) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        step();
    }
    return true;
}

template <typename Pred>
bool Eventually(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    return Eventually(pred, timeout,
                      [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}

}  // namespace bravok::test
