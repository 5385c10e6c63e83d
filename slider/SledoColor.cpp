#include "SledoColor.h"

namespace kova {
namespace {

constexpr quint32 kSystemColorFlag = 0x80000000U;

QPalette::ColorRole SystemColorRole(quint32 index) {
    switch (index) {
    case 1: // desktop
    case 4: // menu
        return QPalette::Window;
    case 2:  // active caption
    case 13: // highlight
        return QPalette::Highlight;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3-D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::WindowText;
    case 14:
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 18:
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3-D light
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default: // scroll bar, button face and the rest
        return QPalette::Button;
    }
}

} // namespace

QColor SledoColorToQColor(quint32 value, const QPalette& palette) {
    if ((value & 0xFF000000U) == kSystemColorFlag)
        return palette.color(SystemColorRole(value & 0xFFU));
    return QColor(static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8) & 0xFFU),
                  static_cast<int>((value >> 16) & 0xFFU));
}

quint32 SledoColorFromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8) |
           (static_cast<quint32>(rgb.blue()) << 16);
}

} // namespace kova
