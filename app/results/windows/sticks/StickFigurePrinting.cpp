#include "StickFigurePrinting.h"

#include "CPaper.h"
#include "StickFigure.h"
#include "StickFigurePainter.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kTitle = "连线图像显示";

// Printer dots per content pixel that fill `width` and keep within `height`.
double PrintMagnification(const StickFigure& figure, int width, int height) {
    // One dot less on each side, so that the rounded-up area still fits.
    return std::min((width - 1.0) / static_cast<double>(figure.Width()),
                    (height - 1.0) / static_cast<double>(figure.Height()));
}

} // namespace

bool PrintStickFigures(QPrinter& printer, const StickFigure& figure, const StickDrawing& screen) {
    CPaper paper; // ends an unfinished job when it goes
    if (!paper.Open(printer, kTitle) || !paper.DrawTextA(kTitle)) return false;
    paper.LineFeed();
    const QSize dots = paper.GetPaperDot();
    const QSize lines = paper.GetPaperChar();
    const int lineHeight = dots.height() / std::max(1, lines.height());
    StickDrawing print = screen;
    print.magnification = PrintMagnification(figure, dots.width(), dots.height() - lineHeight);
    if (!(print.magnification > 0)) return false;
    print.origin = QPointF();
    print.scroll = QPoint();
    print.lineWidth = std::max(1, static_cast<int>(std::lround(paper.CalcDpiMulti().x())));
    QRect area;
    QPainter* painter = paper.GetImageAreaDot(
        static_cast<int>(StickFigurePainter::ContentWidth(figure, print.magnification)),
        static_cast<int>(StickFigurePainter::ContentHeight(figure, print.magnification)), &area);
    if (!painter) return false;
    paper.MoveCenterDot();
    StickFigurePainter::Paint(*painter, figure, print);
    return paper.DrawImage() && paper.Close();
}
