#pragma once

namespace bravok {

// Pixel positions, in screen or client coordinates depending on the caller.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle whose right and bottom edges lie just outside it, so a client
// rectangle of width W has right == W.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace bravok
