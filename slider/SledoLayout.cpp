#include "SledoLayout.h"

#include <algorithm>

namespace kova {

SledoLayout::SledoLayout(const SledoShape& shape, long min, long max, long low, long high)
    : width_(std::max(shape.width, 0)), height_(std::max(shape.height, 0)),
      vertical_(shape.vertical), min_(min), max_(max),
      buttonWidth_(shape.buttonsOn ? std::max<qint64>(shape.buttonWidth, 0) : 0),
      buttonsOn_(shape.buttonsOn) {
    const qint64 slider = std::max<qint64>(shape.sliderWidth, 0);
    endSize_ = slider + 2 * buttonWidth_;
    trackStart_ = endSize_ + 1;
    trackLength_ = std::max<qint64>(Length() - 2 * trackStart_, 0);
    const qint64 lowPos = Position(low);
    const qint64 highPos = Position(high);
    lowThumb_ = Span(lowPos - slider, lowPos);
    highThumb_ = Span(highPos, highPos + slider);
    bar_ = Span(lowPos, highPos);
}

qint64 SledoLayout::Position(long v) const {
    // A one-value range has no direction: every value sits at the start.
    if (max_ <= min_) return trackStart_;
    return trackStart_ + (static_cast<qint64>(v) - min_) * trackLength_ / (qint64{max_} - min_);
}

QRect SledoLayout::Span(qint64 from, qint64 to) const {
    const qint64 length = Length();
    const int a = static_cast<int>(std::clamp<qint64>(from, 0, length));
    const int b = static_cast<int>(std::clamp<qint64>(to, 0, length));
    const int across = Thickness() - 2; // inside the one-pixel bevel
    if (b <= a || across <= 0) return {};
    return vertical_ ? QRect(1, a, across, b - a) : QRect(a, 1, b - a, across);
}

QRect SledoLayout::Button(SledoPart part) const {
    if (!buttonsOn_) return {};
    const qint64 end = Length() - 1;
    switch (part) {
    case SledoPart::LowMinus:
        return Span(1, 1 + buttonWidth_);
    case SledoPart::LowPlus:
        return Span(1 + buttonWidth_, 1 + 2 * buttonWidth_);
    case SledoPart::HighMinus:
        return Span(end - 2 * buttonWidth_, end - buttonWidth_);
    case SledoPart::HighPlus:
        return Span(end - buttonWidth_, end);
    default:
        return {};
    }
}

SledoPart SledoLayout::HitTest(const QPoint& p) const {
    if (bar_.contains(p)) return SledoPart::Bar;
    if (lowThumb_.contains(p)) return SledoPart::LowThumb;
    if (highThumb_.contains(p)) return SledoPart::HighThumb;
    for (SledoPart part :
         {SledoPart::LowMinus, SledoPart::LowPlus, SledoPart::HighMinus, SledoPart::HighPlus}) {
        if (Button(part).contains(p)) return part;
    }
    return SledoPart::None;
}

long SledoLayout::DragOffset(int pixels) const {
    // One pixel of a control too short for a track still moves one value.
    const qint64 span = std::max<qint64>(Length() - 2 * endSize_, 1);
    return static_cast<long>(pixels * (qint64{max_} - min_ + 1) / span);
}

} // namespace kova
