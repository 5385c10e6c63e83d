#pragma once

#include <QColor>
#include <QFont>
#include <QPen>

// The colours, pens and font of the charts.

// The series colours by index: red, green, blue, purple, yellow, cyan, grey
// (red for an index outside 0..6).
QColor SeriesColour(int index);
// The series line styles by index: solid, dash, dot, dash-dot, dash-dot-dot
// (solid for an index outside 0..4).
Qt::PenStyle SeriesPenStyle(int index);
QPen SeriesPen(int colour, int style);

QPen AxisPen();      // solid black: plot frame, tick marks, current frame
QPen GridPen();      // dotted black: value grid lines
QPen ZeroLinePen();  // solid grey: the line at 0
QPen EventPen();     // dotted grey: scene events
QPen SelectionPen(); // solid red: the selected panel's frame
QColor ChartBackground();

// The label font, sized in pixels so that every device draws it alike.
QFont ChartFont();
