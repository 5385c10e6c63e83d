#include "ChartCanvas.h"

#include "ChartLayout.h"
#include "ChartPainter.h"
#include "ChartSet.h"

#include <QMouseEvent>
#include <QPainter>

ChartCanvas::ChartCanvas(const ChartSet& charts, const ChartViewState& state, QWidget* parent)
    : QWidget(parent), charts_(charts), state_(state) {
    setAccessibleName(QStringLiteral("图表"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintCharts(painter, size(), charts_, state_);
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int count = static_cast<int>(charts_.panels.size());
    const int panel = PanelAt(PanelRects(size(), count), event->position().toPoint());
    if (panel >= 0) emit PanelClicked(panel);
}
