#pragma once

#include <cstdint>

// The settings of one target: its working point (the initial position
// before the first frame, then the latest result), its search window size
// and its own thresholds.
struct TargetSetting {
    float x = 0.0f;
    float y = 0.0f;
    std::int16_t width = 31;
    std::int16_t height = 31;
    int greyLow = 200;
    int greyHigh = 255;
    int colour[6] = {50, 120, 50, 120, 50, 120}; // R low, R high, G low, G high, B low, B high
    float percent = 10.0f;
};
