#include "CHistGram.h"

#include "HistogramBars.h"

#include <QPainter>

namespace kova {

CHistGram::CHistGram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 60);
    setAccessibleName(QStringLiteral("直方图"));
}

void CHistGram::SetCounts(const std::vector<long>& counts) {
    counts_ = counts;
    update();
}

void CHistGram::SetForm(Form form) {
    form_ = form;
    update();
}

void CHistGram::SetBand(bool on, int low, int high) {
    bandOn_ = on;
    low_ = low;
    high_ = high;
    update();
}

std::vector<int> CHistGram::Bars(int height) const {
    return ScaleToHighest(counts_, height);
}

bool CHistGram::Marked(int value) const {
    return bandOn_ && InBand(value, low_, high_);
}

QColor CHistGram::BarColour() const {
    switch (form_) {
    case Form::Red:
        return Qt::red;
    case Form::Green:
        return Qt::darkGreen;
    case Form::Blue:
    case Form::Hue:
        return Qt::blue;
    default:
        return Qt::black;
    }
}

void CHistGram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int bins = static_cast<int>(counts_.size());
    if (bins == 0) return;
    const int plot = height() - 2;
    const std::vector<int> bars = Bars(plot);
    const double step = static_cast<double>(width()) / bins;
    const QColor band(255, 220, 120);
    for (int v = 0; v < bins; ++v) {
        const int x0 = static_cast<int>(v * step);
        const int x1 = std::max(x0 + 1, static_cast<int>((v + 1) * step));
        if (Marked(v)) painter.fillRect(x0, 0, x1 - x0, height(), band);
        const int bar = bars[static_cast<size_t>(v)];
        if (bar > 0) painter.fillRect(x0, height() - 1 - bar, x1 - x0, bar, BarColour());
    }
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kova
