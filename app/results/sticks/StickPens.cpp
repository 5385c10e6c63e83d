#include "StickPens.h"

#include "DrawingTools.h"

#include <QPainter>

namespace StickPens {

QPen LinePen(int colour) {
    const int index = colour >= 0 && colour < DrawingTools::kColors ? colour : 0;
    QPen pen(DrawingTools::Color(index), 1, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

void PaintTargetMark(QPainter* painter, double x, double y, const QColor& fill) {
    QPen pen(QColor(255, 0, 0));
    pen.setCosmetic(true);
    painter->save();
    painter->setPen(pen);
    painter->setBrush(fill);
    // A 1-pixel outline around a 4-pixel box covers the five pixels x-2..x+2.
    painter->drawEllipse(QRect(static_cast<int>(x) - 2, static_cast<int>(y) - 2, 4, 4));
    painter->restore();
}

} // namespace StickPens
