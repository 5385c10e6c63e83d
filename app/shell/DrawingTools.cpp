#include "DrawingTools.h"

#include <algorithm>

namespace {

constexpr int kRgb[DrawingTools::kColors][3] = {{255, 0, 0},    {0, 255, 0},   {0, 0, 255},
                                                {255, 0, 255},  {255, 255, 0}, {0, 255, 255},
                                                {128, 128, 128}};
constexpr const char* kColorNames[DrawingTools::kColors] = {
    "red", "green", "blue", "purplish", "yellowish", "azury", "gray"};
constexpr const char* kStyleNames[DrawingTools::kStyles] = {"real line", "broken line", "dot line",
                                                            "one-dot line", "two-dots line"};
constexpr Qt::PenStyle kPenStyles[DrawingTools::kStyles] = {
    Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};

int Clamp(int index, int count) {
    return std::clamp(index, 0, count - 1);
}

QPen Pen(const QColor& color, Qt::PenStyle style) {
    QPen pen(color, 1, style);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

DrawingTools::DrawingTools()
    : whitePen_(Pen(Qt::white, Qt::SolidLine)), blackPen_(Pen(Qt::black, Qt::SolidLine)),
      whiteBrush_(Qt::white), blackBrush_(Qt::black) {
    for (int c = 0; c < kColors; ++c) {
        for (int s = 0; s < kStyles; ++s)
            pens_[static_cast<std::size_t>(c)][static_cast<std::size_t>(s)] =
                Pen(Color(c), kPenStyles[s]);
        brushes_[static_cast<std::size_t>(c)] = QBrush(Color(c));
    }
}

QColor DrawingTools::Color(int index) {
    const int* rgb = kRgb[Clamp(index, kColors)];
    return QColor(rgb[0], rgb[1], rgb[2]);
}

const QPen& DrawingTools::TargetPen(int color, int style) const {
    return pens_[static_cast<std::size_t>(Clamp(color, kColors))]
                [static_cast<std::size_t>(Clamp(style, kStyles))];
}

const QBrush& DrawingTools::TargetBrush(int color) const {
    return brushes_[static_cast<std::size_t>(Clamp(color, kColors))];
}

const char* DrawingTools::ColorName(int index) {
    return kColorNames[Clamp(index, kColors)];
}

const char* DrawingTools::StyleName(int index) {
    return kStyleNames[Clamp(index, kStyles)];
}
