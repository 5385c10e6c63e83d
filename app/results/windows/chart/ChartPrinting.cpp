#include "ChartPrinting.h"

#include "CPaper.h"
#include "ChartExport.h"
#include "ChartPainter.h"
#include "ChartSet.h"
#include "ChartViewState.h"

#include <algorithm>

namespace {

// The printed size of an image of `image` pixels: as wide as the paper,
// or smaller so that it is no higher than `height`.
QSize PrintedSize(QSize image, int width, int height) {
    const double scale = std::min(static_cast<double>(width) / image.width(),
                                  static_cast<double>(height) / image.height());
    return {std::max(1, static_cast<int>(image.width() * scale)),
            std::max(1, static_cast<int>(image.height() * scale))};
}

} // namespace

bool PrintCharts(QPrinter& printer, QSize client, const ChartSet& charts,
                 const ChartViewState& state) {
    const QSize image = CopySize(client, static_cast<int>(charts.panels.size()));
    if (!ChartSizeAllowed(image)) return false;
    CPaper paper;
    if (!paper.Open(printer, charts.title) || !paper.DrawTextA(charts.title)) return false;
    paper.LineFeed();
    const QSize dots = paper.GetPaperDot();
    const QSize lines = paper.GetPaperChar();
    const int lineHeight = dots.height() / std::max(1, lines.height());
    const QSize printed = PrintedSize(image, dots.width(), dots.height() - lineHeight);
    QRect area;
    QPainter* painter = paper.GetImageAreaDot(printed.width(), printed.height(), &area);
    if (!painter) return false;
    paper.MoveCenterDot();
    painter->scale(static_cast<double>(printed.width()) / image.width(),
                   static_cast<double>(printed.height()) / image.height());
    ChartViewState unselected = state;
    unselected.selectedPanel = -1;
    PaintCharts(*painter, image, charts, unselected);
    return paper.DrawImage() && paper.Close();
}
