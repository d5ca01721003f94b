#pragma once

#include <chrono>
#include <thread>

namespace bravok::test {

// Waits until pred holds, doing step between looks; false when a generous
// deadline passes first, so a slow machine makes tests slower, not flaky.
inline void Breathe() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

template <typename Pred, typename Step = void (*)()>
bool Eventually(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(20),
                Step step = Breathe) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        step();
    }
    return true;
}

}  // namespace bravok::test
