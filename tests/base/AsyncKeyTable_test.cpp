#include "base/AsyncKeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

constexpr std::int16_t kDown = AsyncKeyTable::kDownBit;
constexpr std::int16_t kPressed = AsyncKeyTable::kPressedBit;

// The keyboard as the window system holds it, whichever window has the focus.
struct HeldKeys : IKeyboardState {
    explicit HeldKeys(std::set<int>& held) : held(held) {}
    bool IsDown(int vk) override { return held.count(vk) != 0; }
    std::set<int>& held;
};

// Steps: +K down, -K up, ?K=v query expecting v, C clear; *K and /K: the keyboard
// (attached to the table only in cases that use it) holds or lets go of K, with
// no event. Keys: U up, L/R left and right
// Shift, l/r left and right Ctrl, S/T Shift/Ctrl (either key), B button, X out of the table.
int Code(char key) {
    static const std::map<char, int> kCodes{
        {'U', VK_UP},       {'L', VK_LSHIFT}, {'R', VK_RSHIFT},  {'l', VK_LCONTROL},
        {'r', VK_RCONTROL}, {'S', VK_SHIFT},  {'T', VK_CONTROL}, {'B', VK_LBUTTON}};
    const auto at = kCodes.find(key);
    return at == kCodes.end() ? AsyncKeyTable::kKeyCount : at->second;
}

TEST(AsyncKeyTable, AnswersDownAndPressedSinceTheLastQuery) {
    const char* cases[] = {
        "?U=0 +U ?U=D+P ?U=D -U ?U=0",      // held: pressed once, then only down
        "+B -B ?B=P ?B=0",                  // a tap between queries is seen once
        "+U +B -B ?U=D+P ?B=P ?U=D",        // keys are independent
        "+U +B -B C ?U=0 ?B=0",             // clear forgets held keys and presses
        "+X ?X=0 -X",                       // codes outside the table
        "+L +R -R ?S=D+P ?S=D -L ?S=0",     // either Shift: one let go, one held
        "+R +L -R ?S=D+P -L ?S=0",          // the other order
        "+L -L ?S=P ?S=0 +R -R ?S=P",       // taps of either count as presses
        "+l +r -l ?T=D+P -r ?T=0 ?S=0",     // either Ctrl, apart from Shift
        "+S +R -S ?S=D+P -R ?S=0",          // Shift with no side is the left key
        "+L +R C ?S=0 -L -R ?S=0",          // cleared on deactivation, no drift
        "*U ?U=D +U /U ?U=P ?U=0",          // the keyboard, not the events, says down
        "*R ?S=D /R *L ?S=D ?T=0 /L ?S=0",  // either Shift by the keyboard's keys
    };
    for (const char* steps : cases) {
        AsyncKeyTable keys;
        std::set<int> held;
        if (std::string(steps).find_first_of("*/") != std::string::npos)
            keys.AttachKeyboard(std::make_unique<HeldKeys>(held));
        std::istringstream words(steps);
        for (std::string w; words >> w;) {
            if (w == "C") keys.Clear();
            if (w[0] == '*') held.insert(Code(w[1]));
            if (w[0] == '/') held.erase(Code(w[1]));
            if (w[0] == '+') keys.KeyDown(Code(w[1]));
            if (w[0] == '-') keys.KeyUp(Code(w[1]));
            if (w[0] != '?') continue;
            const auto has = [&w](char bit) { return w.find(bit, 2) != std::string::npos; };
            const std::int16_t expected = (has('D') ? kDown : 0) | (has('P') ? kPressed : 0);
            EXPECT_EQ(keys.GetAsyncKeyState(Code(w[1])), expected) << steps << ": " << w;
        }
    }
}

}  // namespace
}  // namespace bravok
