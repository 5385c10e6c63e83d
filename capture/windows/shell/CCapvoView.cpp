#include "CCapvoView.h"

#include "CFrameStore.h"
#include "CapvoZoom.h"
#include "DisplayRender.h"
#include "StatusWindowLogic.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

CCapvoView::CCapvoView(kova::CFrameStore& store, StatusWindowLogic& status, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store), status_(status) {
    setAccessibleName(TitleText(Title::Image));
    setWindowTitle(TitleText(Title::Image));
    viewport()->setMouseTracking(true);
    UpdateScrollBars();
}

QString CCapvoView::TitleText(Title title) {
    switch (title) {
    case Title::Preview:
        return QStringLiteral("预览窗口");
    case Title::Play:
        return QStringLiteral("播放窗口");
    case Title::Image:
        break;
    }
    return QStringLiteral("图像窗口");
}

void CCapvoView::SetTitle(Title title) {
    setWindowTitle(TitleText(title));
}

void CCapvoView::ShowLive(const cv::Mat& frame) {
    QImage image = DisplayRender::ToQImage(frame);
    if (image.isNull()) return;
    const bool resized = image.size() != live_.size();
    live_ = std::move(image);
    if (resized) UpdateScrollBars();
    viewport()->update();
}

void CCapvoView::ShowStore() {
    live_ = QImage();
    UpdateScrollBars();
    viewport()->update();
}

void CCapvoView::SetZoom(int percent) {
    const int zoom = CapvoZoom::Clamp(percent);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    UpdateScrollBars();
    viewport()->update();
    emit zoomChanged(zoom_);
}

bool CCapvoView::ShowsWelcome() const {
    return live_.isNull() && !DisplayRender::HoldsImage(store_);
}

void CCapvoView::Refresh() {
    UpdateScrollBars();
    viewport()->update();
}

QSize CCapvoView::ImageSize() const {
    return live_.isNull() ? QSize(store_.Width(), store_.Height()) : live_.size();
}

void CCapvoView::UpdateScrollBars() {
    const QSize image = ImageSize();
    const QSize zoomed(CapvoZoom::Scaled(image.width(), zoom_),
                       CapvoZoom::Scaled(image.height(), zoom_));
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, zoomed.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, zoomed.height() - page.height()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
}

void CCapvoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CCapvoView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    store_.Put_DispWindow_sx(horizontalScrollBar()->value());
    store_.Put_DispWindow_sy(verticalScrollBar()->value());
    viewport()->update();
}

void CCapvoView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    emit pointerMoved(CapvoZoom::ToImage(event->position().toPoint(), scroll, zoom_));
}

const QImage& CCapvoView::Frame() {
    // Rendered again only when the store or the display mode changed.
    if (!frameValid_ || frameSerial_ != store_.Get_display_serial() ||
        frameRevision_ != status_.Revision()) {
        frame_ = status_.Render();
        frameSerial_ = store_.Get_display_serial();
        frameRevision_ = status_.Revision();
        frameValid_ = true;
    }
    return frame_;
}

void CCapvoView::PaintWelcome(QPainter& painter) {
    painter.fillRect(viewport()->rect(), Qt::white);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, QString::fromUtf8(kWelcome));
}

void CCapvoView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    if (ShowsWelcome()) {
        PaintWelcome(painter);
        return;
    }
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    const QImage& image = live_.isNull() ? Frame() : live_;
    const double scale = zoom_ / 100.0;
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.scale(scale, scale);
    painter.drawImage(QPoint(0, 0), image);
}
