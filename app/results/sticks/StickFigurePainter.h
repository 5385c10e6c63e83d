#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <cstdint>

class QImage;
class QPainter;
class StickFigure;
namespace kova {
class Prompter;
}

// How the figures are drawn: magnification, where the content's top left
// goes (the printable area's origin while printing), the scroll position,
// the background and the width of the lines in device pixels.
struct StickDrawing {
    double magnification = 1.0;
    QPointF origin;
    QPoint scroll;
    bool whiteBackground = false;
    int lineWidth = 1;
};

// Draws stick figures: the content area filled with the background and
// framed by a 1-pixel border (white on black, black on white), then every
// line in its colour.
namespace StickFigurePainter {

// Largest side of a copied bitmap.
constexpr std::int64_t kMaxCopySide = 16384;

// The magnified content size in pixels, at least 1 × 1.
std::int64_t ContentWidth(const StickFigure& figure, double magnification);
std::int64_t ContentHeight(const StickFigure& figure, double magnification);

void Paint(QPainter& painter, const StickFigure& figure, const StickDrawing& drawing);

// The whole content at `drawing`'s magnification, unscrolled, as a bitmap.
// A side above kMaxCopySide is refused with "内存不足。": false, nothing made.
bool Render(const StickFigure& figure, const StickDrawing& drawing, QImage* image,
            kova::Prompter& prompter);

} // namespace StickFigurePainter
