#pragma once

#include <cstdint>

// The header of a .TRK file: counts, the calibration in force when the points
// were measured, and the statistics of the tracking run. On disk it is 30
// values written one at a time, least significant byte first, 86 bytes.
struct MeasureHeader {
    std::int16_t frames = 0;
    std::int16_t targets = 0;
    std::int16_t interval = 0;   // Calibration2DInterval
    std::int16_t frameRate = 0;  // Calibration2DFrames
    std::int16_t timeUnit = 0;   // Calibration2DTimeUnit
    float scale = 0.0f;          // Calibration2DLength
    std::int16_t lengthUnit = 0; // Calibration2DLengthUnit
    float originX = 0.0f;        // Calibration2DOriginX
    float originY = 0.0f;        // Calibration2DOriginY
    float angle = 0.0f;          // Calibration2DAngle, radians
    std::int16_t directY = 1;    // Calibration2DDirectY, 1 or -1
    float reserved30 = 0.0f;
    float reserved34 = 0.0f;
    float widthEdge = 0.0f; // frame width of the tracked images minus 1
    float reserved42 = 0.0f;
    std::int16_t imageType = 0; // 0 grey, 2 colour
    std::int16_t reserved48 = 0;
    std::int16_t reserved50 = 0;
    std::int16_t firstNumber = 0;
    std::int16_t lastNumber = 0;
    std::int16_t reserved56[5] = {0, 0, 0, 0, 0};
    std::uint32_t statusCounts[5] = {0, 0, 0, 0, 0};

    static constexpr int kBytes = 86;
    // The largest count the 16-bit header fields hold.
    static constexpr int kMaxCount = 32767;
};
