#pragma once

#include <cstdlib>
#include <memory>

namespace bravok {

// Bitmap memory comes from the C heap, so that a pixel array can change hands
// with C code that frees it; these hold such memory until it is freed or given
// away.
struct CHeapFree {
    void operator()(void* block) const { std::free(block); }
};

template <typename T>
using CHeapPtr = std::unique_ptr<T, CHeapFree>;

}  // namespace bravok
