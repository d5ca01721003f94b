#pragma once

namespace bravok {

// The player's angles move in whole degrees and wrap in a way of their own:
// going up past a full turn lands exactly on 0, going down to or below 0 adds a
// full turn, so 5 down by 5 is 360 and 357 up by 7 is 0.
inline float AngleUp(float angle, float step) {
    const float sum = angle + step;
    return sum >= 360.0f ? 0.0f : sum;
}

inline float AngleDown(float angle, float step) {
    const float difference = angle - step;
    return difference <= 0.0f ? difference + 360.0f : difference;
}

}  // namespace bravok
