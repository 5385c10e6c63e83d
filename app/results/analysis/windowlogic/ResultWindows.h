#pragma once

#include "ChartSet.h"
#include "ResultTable.h"

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

    // Opens (or raises) the text window with the table as its text.
    virtual void ShowTable(const ResultTable& table) = 0;
    // Opens (or raises) the chart window with these charts.
    virtual void ShowCharts(const ChartSet& charts) = 0;
    // The 0-based frame the image window shows (-1 none): the charts mark it.
    virtual void SetCurrentFrame(int frame) = 0;
    // The analysis window goes: both close.
    virtual void Close() = 0;
};
