#pragma once

#include "CDisplayClient.h"

class CImageDisplay;
class DrawingTools;
class MeasureDocument;

// The points of the open measurement on the displayed frame: each target's
// mark in its colour and line style, with its number and name. A found
// point is a circle, a doubtful one (several or too many blobs) a square,
// an interpolated one a diamond, and a lost or skipped one a cross.
class TargetOverlay : public CDisplayClient {
public:
    enum class Look { Found, Doubtful, Interpolated, Lost };

    TargetOverlay(CImageDisplay& display, MeasureDocument& measure, const DrawingTools& tools);
    ~TargetOverlay() override;

    bool Shown() const { return shown_; }
    // "显示目标": paints the marks or stops; repaints.
    void SetShown(bool on);

    void OnDisplayPaint(QPainter* painter) override;

    static Look LookOf(int status);
    // Half the size of a mark, in image pixels.
    static constexpr int kRadius = 4;

private:
    CImageDisplay& display_;
    MeasureDocument& measure_;
    const DrawingTools& tools_;
    bool shown_ = false;
};
