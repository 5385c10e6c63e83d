#pragma once

#include "CaptureViewPort.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

class StatusWindowLogic;
namespace kova {
class CFrameStore;
}

// capvo's document window: the frame store's displayed frame, converted by
// the status window's display mode, at the display scale with scroll bars;
// a live frame of a dialog instead while one is shown; the welcome text
// while the store holds no image yet. The title says what the window does.
class CCapvoView : public QAbstractScrollArea, public CaptureViewPort {
    Q_OBJECT

public:
    static constexpr const char* kWelcome = "Welcome to Image Capture System";

    CCapvoView(kova::CFrameStore& store, StatusWindowLogic& status, QWidget* parent = nullptr);

    void SetTitle(Title title) override;
    void ShowLive(const cv::Mat& frame) override;
    void ShowStore() override;

    static QString TitleText(Title title);
    int Zoom() const { return zoom_; }
    // Sets the display scale (limited to 10..500 %).
    void SetZoom(int percent);
    bool ShowsLive() const { return !live_.isNull(); }
    bool ShowsWelcome() const;
    // The store or the status window changed: repaint.
    void Refresh();

signals:
    // The mouse is over image pixel `pixel`.
    void pointerMoved(QPoint pixel);
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize ImageSize() const;
    void UpdateScrollBars();
    void PaintWelcome(QPainter& painter);
    const QImage& Frame();

    kova::CFrameStore& store_;
    StatusWindowLogic& status_;
    int zoom_ = 100;
    QImage live_;
    QImage frame_;
    bool frameValid_ = false;
    unsigned long frameSerial_ = 0;
    unsigned long frameRevision_ = 0;
};
