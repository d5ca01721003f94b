#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/x11/DisplayChoice.h"

namespace bravok {
namespace {

// Whatever GDK_BACKEND asks for, the game goes through X when an X display
// answers, and says so where the player asked for something else; without
// one it says that X is what it needs.
TEST(X11DisplayChoice, GoesThroughXAndSaysWhy) {
    struct Case {
        std::optional<std::string_view> backend;
        bool xOpens;
        bool notice;
        bool problem;
    };
    const Case cases[] = {
        {std::nullopt, true, false, false}, {"x11", true, false, false},
        {"", true, false, false},           {"wayland", true, true, false},
        {"wayland,x11", true, true, false}, {"wayland", false, false, true},
        {std::nullopt, false, false, true}, {"x11", false, false, true},
    };
    for (const auto& c : cases) {
        const DisplayChoice choice = ChooseDisplay(c.backend, ":1", c.xOpens);
        SCOPED_TRACE(std::string(c.backend.value_or("(unset)")) + (c.xOpens ? " with X" : " no X"));
        EXPECT_EQ(!choice.notice.empty(), c.notice) << choice.notice;
        EXPECT_EQ(!choice.problem.empty(), c.problem) << choice.problem;
        // The notice names what the player asked for, the problem what to get.
        if (c.notice) {
            EXPECT_NE(choice.notice.find(*c.backend), std::string::npos);
        }
        if (c.problem) {
            EXPECT_NE(choice.problem.find("X11 or XWayland"), std::string::npos);
        }
        for (const std::string& line : {choice.notice, choice.problem})
            EXPECT_EQ(line.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace bravok
