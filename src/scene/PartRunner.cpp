#include "scene/PartRunner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace bravok {

int ReaderThreadsFor(std::uint64_t size) {
    constexpr std::uint64_t kBytesWorthAThread = std::uint64_t{1} << 20;
    constexpr unsigned kMostThreads = 4;
    if (size < kBytesWorthAThread) return 1;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads));
}

void RunParts(std::size_t parts, int threads, const std::function<void(std::size_t)>& work) {
    std::vector<std::exception_ptr> errors(parts);  // one a part: no thread shares a slot
    std::atomic<std::size_t> next{0};
    auto takeParts = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < parts;) {
            try {
                work(i);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min(static_cast<std::size_t>(std::max(threads, 1)), parts);
    for (std::size_t k = 1; k < wanted; ++k) {
        try {
            helpers.emplace_back(takeParts);
        } catch (const std::system_error&) {
            break;  // the parts left are taken by the threads there are
        }
    }
    takeParts();
    for (std::thread& helper : helpers) helper.join();
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
}

}  // namespace bravok
