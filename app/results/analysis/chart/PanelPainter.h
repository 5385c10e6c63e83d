#pragma once

#include "ChartLayout.h"
#include "ValueRange.h"

#include <QRect>
#include <vector>

class QFontMetrics;
class QPainter;
class TimeAxis;
struct ChartPanel;

// One panel as it is to be drawn: its chart, range and place, and the marks
// the window adds.
struct PanelScene {
    const ChartPanel& panel;
    const TimeAxis& time;
    ValueRange range;
    QRect rect;
    PlotMargins margins;
    bool selected = false;
    int currentSample = -1;        // charted frame of the image window, -1 none
    std::vector<int> eventSamples; // charted frames of scene events
};

// The margins a panel `height` pixels high needs for its title, value
// labels and time labels.
PlotMargins PanelMargins(const ChartPanel& panel, const ValueRange& range, const TimeAxis& time,
                         int height, const QFontMetrics& metrics);

// Draws the panel: title and unit, value ticks with their dotted grid, the
// time labels, the line at 0, the series, the scene events, the current
// frame and, when selected, a red frame around the panel.
void PaintPanel(QPainter& painter, const PanelScene& scene);
