#pragma once

#include <cstdint>

namespace bravok {

// The system's headers define these flags as macros of the same values; they
// are set aside while the names are declared and come back after.
#pragma push_macro("PFD_DOUBLEBUFFER")
#pragma push_macro("PFD_DRAW_TO_WINDOW")
#pragma push_macro("PFD_SUPPORT_OPENGL")
#pragma push_macro("PFD_NEED_PALETTE")
#pragma push_macro("PFD_TYPE_RGBA")
#undef PFD_DOUBLEBUFFER
#undef PFD_DRAW_TO_WINDOW
#undef PFD_SUPPORT_OPENGL
#undef PFD_NEED_PALETTE
#undef PFD_TYPE_RGBA

inline constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x01;
inline constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x04;
inline constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x20;
inline constexpr std::uint32_t PFD_NEED_PALETTE = 0x80;
inline constexpr std::uint8_t PFD_TYPE_RGBA = 0;

#pragma pop_macro("PFD_DOUBLEBUFFER")
#pragma pop_macro("PFD_DRAW_TO_WINDOW")
#pragma pop_macro("PFD_SUPPORT_OPENGL")
#pragma pop_macro("PFD_NEED_PALETTE")
#pragma pop_macro("PFD_TYPE_RGBA")

// The drawable the game asks for, and what the display says it got: a
// double-buffered RGBA window with 24 colour bits and a 32-bit depth buffer, no
// alpha, stencil, accumulation or auxiliary buffers. Fields not named stay 0.
struct PixelFormatDescriptor {
    std::uint16_t nSize = 40;
    std::uint16_t nVersion = 1;
    std::uint32_t dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    std::uint8_t iPixelType = PFD_TYPE_RGBA;
    std::uint8_t cColorBits = 24;
    std::uint8_t cDepthBits = 32;
};

}  // namespace bravok
