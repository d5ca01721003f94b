#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace bravok {

// How many threads read a file of this size: the calling thread alone below a
// megabyte, where starting threads costs more than it saves; above, one a core,
// at most four.
int ReaderThreadsFor(std::uint64_t size);

// Runs work(i) for every part i in [0, parts) on up to `threads` threads, the
// caller's included, each thread taking the next part not yet taken, so that a
// thread the system holds back leaves its share to the others. When no more
// threads can be started, the ones there are take every part. Once all have
// ended, passes on the failure of the first part that failed.
void RunParts(std::size_t parts, int threads, const std::function<void(std::size_t)>& work);

}  // namespace bravok
