#pragma once

#include <QColor>
#include <QPen>

class QPainter;

// The pens and marks the stick figures and the connection-line editor draw
// with.
namespace StickPens {

// A connection line: its colour (outside 0..6 the first), solid, 1 pixel.
QPen LinePen(int colour);
// A target's mark: a circle from 2 pixels left/above to 3 right/below the
// truncated point, red outline, filled with `fill`.
void PaintTargetMark(QPainter* painter, double x, double y, const QColor& fill);

} // namespace StickPens
