#include "platform/AsyncKeyTable.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/VirtualKeys.h"

namespace bravok {
namespace {

constexpr std::int16_t kDown = AsyncKeyTable::kDownBit;
constexpr std::int16_t kPressed = AsyncKeyTable::kPressedBit;

// Steps: +K down, -K up, ?K=v query expecting v, C clear. Keys: U up, L/R left and right
// Shift, l/r left and right Ctrl, S/T Shift/Ctrl (either key), B button, X out of the table.
int Code(char key) {
    const std::string names = "ULRlrSTB";
    const int codes[] = {VK_UP,       VK_LSHIFT, VK_RSHIFT,  VK_LCONTROL,
                         VK_RCONTROL, VK_SHIFT,  VK_CONTROL, VK_LBUTTON};
    const auto at = names.find(key);
    return at == std::string::npos ? AsyncKeyTable::kKeyCount : codes[at];
}

TEST(AsyncKeyTable, AnswersDownAndPressedSinceTheLastQuery) {
    const char* cases[] = {
        "?U=0 +U ?U=D+P ?U=D -U ?U=0",   // held: pressed once, then only down
        "+B -B ?B=P ?B=0",               // a tap between queries is seen once
        "+U +B -B ?U=D+P ?B=P ?U=D",     // keys are independent
        "+U +B -B C ?U=0 ?B=0",          // clear forgets held keys and presses
        "+X ?X=0 -X",                    // codes outside the table
        "+L +R -R ?S=D+P ?S=D -L ?S=0",  // either Shift: one let go, one held
        "+R +L -R ?S=D+P -L ?S=0",       // the other order
        "+L -L ?S=P ?S=0 +R -R ?S=P",    // taps of either count as presses
        "+l +r -l ?T=D+P -r ?T=0 ?S=0",  // either Ctrl, apart from Shift
        "+S +R -S ?S=D+P -R ?S=0",       // Shift with no side is the left key
        "+L +R C ?S=0 -L -R ?S=0",       // cleared on deactivation, no drift
    };
    for (const char* steps : cases) {
        AsyncKeyTable keys;
        for (const char* s = steps; *s; ++s) {
            if (*s == ' ') continue;
            if (*s == 'C') keys.Clear();
            if (*s == 'C') continue;
            const char op = *s++;
            const int vk = Code(*s);
            if (op == '+') keys.KeyDown(vk);
            if (op == '-') keys.KeyUp(vk);
            if (op != '?') continue;
            s += 2;  // "=v"
            std::int16_t expected = 0;
            for (; *s && *s != ' '; ++s) expected |= *s == 'D' ? kDown : *s == 'P' ? kPressed : 0;
            EXPECT_EQ(keys.GetAsyncKeyState(vk), expected) << steps << " at " << s - steps;
            if (!*s) break;
        }
    }
}

}  // namespace
}  // namespace bravok
