#include "ChartStyle.h"

#include <array>

namespace {

const QColor kGrey(128, 128, 128);

} // namespace

QColor SeriesColour(int index) {
    static const std::array<QColor, 7> colours = {
        QColor(255, 0, 0),
        QColor(0, 255, 0),
        QColor(0, 0, 255),
        QColor(255, 0, 255),
        QColor(255, 255, 0),
        QColor(0, 255, 255),
        kGrey,
    };
    if (index < 0 || index >= static_cast<int>(colours.size())) index = 0;
    return colours[static_cast<std::size_t>(index)];
}

Qt::PenStyle SeriesPenStyle(int index) {
    static const std::array<Qt::PenStyle, 5> styles = {
        Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine,
    };
    if (index < 0 || index >= static_cast<int>(styles.size())) index = 0;
    return styles[static_cast<std::size_t>(index)];
}

QPen SeriesPen(int colour, int style) {
    return QPen(SeriesColour(colour), 1, SeriesPenStyle(style));
}

QPen AxisPen() {
    return QPen(Qt::black, 1, Qt::SolidLine);
}

QPen GridPen() {
    return QPen(Qt::black, 1, Qt::DotLine);
}

QPen ZeroLinePen() {
    return QPen(kGrey, 1, Qt::SolidLine);
}

QPen EventPen() {
    return QPen(kGrey, 1, Qt::DotLine);
}

QPen SelectionPen() {
    return QPen(Qt::red, 1, Qt::SolidLine);
}

QColor ChartBackground() {
    return Qt::white;
}

QFont ChartFont() {
    QFont font;
    font.setPixelSize(12);
    return font;
}
