#pragma once

#include "ValueRange.h"

#include <optional>
#include <vector>

struct ChartSet;

// What the chart window adds to the charts: the ranges fixed by the user
// (per panel; none = automatic), the selected panel and the frame the image
// window shows.
struct ChartViewState {
    std::vector<std::optional<ValueRange>> fixedRanges;
    int selectedPanel = -1; // -1 none
    int currentFrame = -1;  // 0-based; -1 none

    // Every panel automatic and none selected, for `panelCount` new panels.
    void Reset(int panelCount);
    // The fixed range of `panel`, if it has one.
    std::optional<ValueRange> FixedRangeOf(int panel) const;
};

// The range panel `panel` is drawn with: its fixed range, else the
// automatic range of its data.
ValueRange PanelRange(const ChartSet& charts, const ChartViewState& state, int panel);
