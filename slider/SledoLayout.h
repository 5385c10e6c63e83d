#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>

namespace kova {

// What a point of the control hits. The values are the drag states the
// control enters when the left button goes down there.
enum class SledoPart {
    None = 0,
    LowMinus = 1,
    LowPlus = 2,
    HighMinus = 5,
    HighPlus = 6,
    LowThumb = 10,
    Bar = 11,
    HighThumb = 12,
};

// What the drawing depends on besides the values.
struct SledoShape {
    int width = 0;
    int height = 0;
    bool vertical = true;
    long sliderWidth = 12;
    bool buttonsOn = false;
    long buttonWidth = 16;
};

// Pixel layout of the control: the rail runs along x (horizontal) or y
// (vertical); the track starts slider width + 1 pixels inside each end (and
// a further two button widths with buttons). The low thumb ends at the track
// position of low, the high thumb begins at that of high, the bar lies
// between them. All coordinates are clipped to the control.
class SledoLayout {
public:
    SledoLayout(const SledoShape& shape, long min, long max, long low, long high);

    int Length() const { return vertical_ ? height_ : width_; }
    int Thickness() const { return vertical_ ? width_ : height_; }
    qint64 TrackStart() const { return trackStart_; }
    qint64 TrackLength() const { return trackLength_; }
    // Track position of a held value.
    qint64 Position(long v) const;

    QRect LowThumb() const { return lowThumb_; }
    QRect HighThumb() const { return highThumb_; }
    QRect Bar() const { return bar_; }
    // The rectangle of an arrow button; empty without buttons.
    QRect Button(SledoPart part) const;

    SledoPart HitTest(const QPoint& p) const;
    // Coordinate of a point along the rail.
    int AlongRail(const QPoint& p) const { return vertical_ ? p.y() : p.x(); }
    // Value offset of a drag over the given pixel distance along the rail.
    long DragOffset(int pixels) const;

private:
    // The rectangle across the rail between rail positions [from, to).
    QRect Span(qint64 from, qint64 to) const;

    int width_;
    int height_;
    bool vertical_;
    long min_;
    long max_;
    qint64 endSize_;
    qint64 buttonWidth_;
    bool buttonsOn_;
    qint64 trackStart_;
    qint64 trackLength_;
    QRect lowThumb_;
    QRect highThumb_;
    QRect bar_;
};

} // namespace kova
