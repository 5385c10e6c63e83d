#include "StickCanvas.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

void SetRange(QScrollBar* bar, std::int64_t content, int client) {
    const std::int64_t range = std::max<std::int64_t>(0, content - client);
    bar->setRange(0, static_cast<int>(std::min<std::int64_t>(range, StickFigure::kMaxSide)));
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, client));
}

} // namespace

StickCanvas::StickCanvas(QWidget* parent) : QAbstractScrollArea(parent) {
    setAccessibleName(QStringLiteral("连接线一览"));
    viewport()->setAutoFillBackground(false);
}

void StickCanvas::SetFigures(const StickFigure& figure, const StickDrawing& drawing) {
    figure_ = figure;
    drawing_ = drawing;
    UpdateScrollBars();
    viewport()->update();
}

StickDrawing StickCanvas::Drawing() const {
    StickDrawing drawing = drawing_;
    drawing.scroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return drawing;
}

void StickCanvas::UpdateScrollBars() {
    // Setting a smaller range clamps the scroll position into it.
    SetRange(horizontalScrollBar(),
             StickFigurePainter::ContentWidth(figure_, drawing_.magnification),
             viewport()->width());
    SetRange(verticalScrollBar(),
             StickFigurePainter::ContentHeight(figure_, drawing_.magnification),
             viewport()->height());
}

void StickCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().window());
    StickFigurePainter::Paint(painter, figure_, Drawing());
}

void StickCanvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void StickCanvas::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}
