#pragma once

#include <QBrush>
#include <QPen>
#include <array>

// The shared pens and brushes of the target marks: seven colours by five
// line styles of width 1, one solid brush per colour, and white and black.
class DrawingTools {
public:
    static constexpr int kColors = 7;
    static constexpr int kStyles = 5;

    DrawingTools();

    const QPen& TargetPen(int color, int style) const;
    const QBrush& TargetBrush(int color) const;
    const QPen& WhitePen() const { return whitePen_; }
    const QPen& BlackPen() const { return blackPen_; }
    const QBrush& WhiteBrush() const { return whiteBrush_; }
    const QBrush& BlackBrush() const { return blackBrush_; }

    static QColor Color(int index);
    // The selector entries of the colours and line styles.
    static const char* ColorName(int index);
    static const char* StyleName(int index);

private:
    std::array<std::array<QPen, kStyles>, kColors> pens_;
    std::array<QBrush, kColors> brushes_;
    QPen whitePen_;
    QPen blackPen_;
    QBrush whiteBrush_;
    QBrush blackBrush_;
};
