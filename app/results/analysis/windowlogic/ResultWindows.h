#pragma once

#include "ChartSet.h"

#include <string>
#include <vector>

// The text window and the chart window of one analysis window, as its
// logic hands results to them.
class ResultWindows {
public:
    ResultWindows() = default;
    ResultWindows(const ResultWindows&) = delete;
    ResultWindows& operator=(const ResultWindows&) = delete;
    virtual ~ResultWindows() = default;

    // Replaces the text window's text by the table (one line per string).
    virtual void ShowText(const std::string& title, const std::vector<std::string>& lines) = 0;
    virtual void ShowCharts(const ChartSet& charts) = 0;
    // The analysis window goes: both close.
    virtual void Close() = 0;
};
