#pragma once

#include "SegmentationResult.h"

#include <array>
#include <string>

// The values of the image segmentation window's controls.
struct SegmentationFields {
    SegmentationMode mode = SegmentationMode::Grey;
    AutoMethod method = AutoMethod::Mode;
    double percent = 0.0;
    ResultColour colour = ResultColour::Black;
    std::array<SegmentationBand, 3> bands{}; // rows 1-3: MONO, R G B or H S I
    int sampleSize = 7;                      // side of the sample square
    int sampleCount = 0;                     // samples taken since 重设定
};

inline bool IsColourMode(SegmentationMode mode) {
    return mode == SegmentationMode::Rgb || mode == SegmentationMode::Hsi;
}
// The largest value of the scale: 359 for the hue circle, else 255.
inline int ScaleMax(SegmentationMode mode) {
    return mode == SegmentationMode::Hsi ? 359 : 255;
}
// The labels of the three band rows; grey modes use the first row only.
inline std::array<std::string, 3> RowLabels(SegmentationMode mode) {
    switch (mode) {
    case SegmentationMode::Rgb:
        return {"R", "G", "B"};
    case SegmentationMode::Hsi:
        return {"H", "S", "I"};
    default:
        return {"MONO", "", ""};
    }
}
