#include "scene/PartHandOver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace bravok {
namespace {

// What the user's thread is handed, step by step, for readers that finish
// parts ("f2": part 2 is read) or fail ("x") in a given order; "t" takes the
// next part, written as its number, "end", or "failed".
TEST(PartHandOver, HandsEachPartOnceInTheFilesOrderAndNothingAfterAFailure) {
    struct Case {
        int parts;  // -1: the file failed before it was split
        const char* steps;
        const char* handed;
    } cases[] = {
        {4, "f3 f1 f0 t t f2 t t t t", "0 1 2 3 end end"},
        {1, "f0 t t", "0 end"},
        {0, "t", "end"},
        {3, "f0 t x f1 f2 t t", "0 failed failed"},
        {3, "f0 f1 f2 x t", "failed"},
        {-1, "x t t", "failed failed"},
    };
    for (const Case& c : cases) {
        PartHandOver handOver;
        if (c.parts >= 0) handOver.Begin(static_cast<std::size_t>(c.parts));
        std::istringstream steps(c.steps);
        std::string handed;
        for (std::string step; steps >> step;) {
            if (step[0] == 'f') handOver.Finish(std::stoul(step.substr(1)));
            if (step == "x") handOver.Fail(std::make_exception_ptr(std::runtime_error("read")));
            if (step != "t") continue;
            handed += handed.empty() ? "" : " ";
            try {
                const auto part = handOver.Next();
                handed += part ? std::to_string(*part) : "end";
            } catch (const std::runtime_error&) {
                handed += "failed";
            }
        }
        EXPECT_EQ(handed, c.handed) << c.steps;
    }
}

// The user waits while readers on other threads finish the parts last first.
TEST(PartHandOver, WakesTheWaitingUserForEachPartInTurn) {
    constexpr std::size_t kParts = 64;
    PartHandOver handOver;
    std::vector<std::size_t> handed;
    std::thread user([&] {
        while (const auto part = handOver.Next()) handed.push_back(*part);
    });
    handOver.Begin(kParts);
    std::vector<std::thread> readers;
    for (std::size_t reader = 0; reader < 4; ++reader)
        readers.emplace_back([&, reader] {
            for (std::size_t part = kParts - 1 - reader; part < kParts; part -= 4)
                handOver.Finish(part);
        });
    for (std::thread& reader : readers) reader.join();
    user.join();
    std::vector<std::size_t> inOrder(kParts);
    for (std::size_t i = 0; i < kParts; ++i) inOrder[i] = i;
    EXPECT_EQ(handed, inOrder);
}

}  // namespace
}  // namespace bravok
