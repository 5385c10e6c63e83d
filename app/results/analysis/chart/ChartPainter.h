#pragma once

#include <QSize>

class QPainter;
struct ChartSet;
struct ChartViewState;

// Draws every panel of `charts` into `painter` over an area of `size`
// pixels from its origin, stacked as the chart window stacks them, with the
// plot areas of all panels aligned. Any painter will do: a widget, an image,
// an SVG or PDF file, a printed page.
void PaintCharts(QPainter& painter, QSize size, const ChartSet& charts,
                 const ChartViewState& state);
