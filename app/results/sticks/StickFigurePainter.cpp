#include "StickFigurePainter.h"

#include "Prompter.h"
#include "StickFigure.h"
#include "StickPens.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace StickFigurePainter {

namespace {

std::int64_t Magnified(std::int64_t side, double magnification) {
    return std::max<std::int64_t>(
        1, static_cast<std::int64_t>(std::ceil(static_cast<double>(side) * magnification)));
}

// Device position of a content coordinate `value` whose content origin is
// `contentOrigin`.
int Map(std::int64_t value, std::int64_t contentOrigin, double magnification, double origin,
        int scroll) {
    const double offset = static_cast<double>(value - contentOrigin + StickFigure::kMargin);
    return static_cast<int>(std::floor(offset * magnification + origin - scroll));
}

} // namespace

std::int64_t ContentWidth(const StickFigure& figure, double magnification) {
    return Magnified(figure.Width(), magnification);
}

std::int64_t ContentHeight(const StickFigure& figure, double magnification) {
    return Magnified(figure.Height(), magnification);
}

void Paint(QPainter& painter, const StickFigure& figure, const StickDrawing& drawing) {
    const double m = drawing.magnification;
    painter.save();
    QPen border(drawing.whiteBackground ? Qt::black : Qt::white, 1);
    painter.setPen(border);
    painter.setBrush(drawing.whiteBackground ? Qt::white : Qt::black);
    const int left = static_cast<int>(std::floor(drawing.origin.x())) - drawing.scroll.x();
    const int top = static_cast<int>(std::floor(drawing.origin.y())) - drawing.scroll.y();
    painter.drawRect(left, top, static_cast<int>(ContentWidth(figure, m)) - 1,
                     static_cast<int>(ContentHeight(figure, m)) - 1);
    for (const StickSegment& s : figure.Segments()) {
        QPen pen = StickPens::LinePen(s.colour);
        pen.setWidth(std::max(1, drawing.lineWidth));
        pen.setCosmetic(drawing.lineWidth <= 1);
        painter.setPen(pen);
        const std::int64_t ox = figure.OriginX(), oy = figure.OriginY();
        const double x0 = drawing.origin.x(), y0 = drawing.origin.y();
        painter.drawLine(
            Map(s.x1, ox, m, x0, drawing.scroll.x()), Map(s.y1, oy, m, y0, drawing.scroll.y()),
            Map(s.x2, ox, m, x0, drawing.scroll.x()), Map(s.y2, oy, m, y0, drawing.scroll.y()));
    }
    painter.restore();
}

bool Render(const StickFigure& figure, const StickDrawing& drawing, QImage* image,
            kova::Prompter& prompter) {
    const std::int64_t width = ContentWidth(figure, drawing.magnification);
    const std::int64_t height = ContentHeight(figure, drawing.magnification);
    if (width > kMaxCopySide || height > kMaxCopySide) {
        prompter.Show("内存不足。", "错误", kova::MessageIcon::Exclamation);
        return false;
    }
    QImage bitmap(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (bitmap.isNull()) {
        prompter.Show("内存不足。", "错误", kova::MessageIcon::Exclamation);
        return false;
    }
    StickDrawing unscrolled = drawing;
    unscrolled.origin = QPointF();
    unscrolled.scroll = QPoint();
    QPainter painter(&bitmap);
    Paint(painter, figure, unscrolled);
    painter.end();
    *image = std::move(bitmap);
    return true;
}

} // namespace StickFigurePainter
