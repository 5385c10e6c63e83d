#pragma once

#include "CsvTable.h"

#include <string>
#include <vector>

// What an analysis hands to its chart window: one panel per chart, each
// with its series over the frames of the range.

// One curve: a value per frame, whether each value is defined, and the
// colour (0..6) and line style (0..4) it is drawn with.
struct ChartSeries {
    std::vector<double> values;
    std::vector<bool> defined;
    int colour = 0;
    int style = 0;
};

// One chart: its title, unit label, the decimals of its value labels and
// its curves.
struct ChartPanel {
    std::string title;
    std::string unit;
    int decimals = 3;
    std::vector<ChartSeries> series;
};

// Every chart of one computation. `times` holds the time of each charted
// frame as the table's time column shows it; `firstFrame` is the 0-based
// frame of the first value (for the event lines and the current frame);
// `events` the 0-based scene-event frames of the measurement (those outside
// the charted frames are not drawn). `csv` is the analysis's CSV table, which
// the chart window saves as its data.
struct ChartSet {
    std::string title;
    int firstFrame = 0;
    std::vector<double> times;
    std::vector<int> events;
    std::vector<ChartPanel> panels;
    kova::CsvTable csv;
};
