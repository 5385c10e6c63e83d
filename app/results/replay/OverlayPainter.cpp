#include "OverlayPainter.h"

#include "CEasyUtils.h"
#include "DrawingTools.h"
#include "FrameSelection.h"
#include "ReplayScene.h"

#include <QPainter>
#include <QPolygonF>
#include <string>

namespace {

const QColor kRed(255, 0, 0);
// Room around a drawn line for its arrowhead and pen.
constexpr int kMargin = 9;

// Draws and notes the area it covered (when `used` is given).
class Ink {
public:
    Ink(QPainter& painter, QRect* used = nullptr) : painter_(painter), used_(used) {}

    void Line(const QPointF& a, const QPointF& b, const QPen& pen) {
        painter_.setPen(pen);
        painter_.drawLine(a, b);
        Note(a, b);
    }
    // A line from `tail` to `tip` ending in a filled arrowhead.
    void Arrow(const QPointF& tail, const QPointF& tip, const QPen& pen) {
        Line(tail, tip, pen);
        double x[4] = {tail.x(), tip.x(), 0.0, 0.0};
        double y[4] = {tail.y(), tip.y(), 0.0, 0.0};
        if (!CEasyUtils::CalcArrow(x, y, OverlayPainter::kHeadAngle, OverlayPainter::kHeadLength))
            return;
        QPen solid = pen;
        solid.setStyle(Qt::SolidLine);
        painter_.setPen(solid);
        painter_.setBrush(pen.color());
        painter_.drawPolygon(QPolygonF({tip, QPointF(x[2], y[2]), QPointF(x[3], y[3])}));
        painter_.setBrush(Qt::NoBrush);
    }
    QPainter& Painter() { return painter_; }

private:
    void Note(const QPointF& a, const QPointF& b) {
        if (used_)
            *used_ |= QRectF(a, b).normalized().toAlignedRect().adjusted(-kMargin, -kMargin,
                                                                         kMargin, kMargin);
    }

    QPainter& painter_;
    QRect* used_;
};

QPointF At(const XY_TRACK& p) {
    return QPointF(p.x, p.y);
}

QPen SolidPen(const QColor& colour) {
    QPen pen(colour, 1, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

bool HasTrajectory(const ReplaySettings& s) {
    return s.trajectories && s.span != TrajectorySpan::VectorOnly &&
           s.kind != TrajectoryKind::Vectors;
}

bool HasVectors(const ReplaySettings& s) {
    return s.trajectories && s.span != TrajectorySpan::VectorOnly &&
           s.kind != TrajectoryKind::Trajectory;
}

// The segment of target t from entry i - 1 to entry i.
void Segment(Ink& ink, const ReplayScene& scene, const QPen& pen, int t, int i) {
    if (i < 1 || i >= scene.TrajectoryEnd(t)) return;
    if (!scene.Usable(t, i - 1) || !scene.Usable(t, i)) return;
    ink.Line(At(scene.Point(t, i - 1)), At(scene.Point(t, i)), pen);
}

// The vector of target t from entry i towards entry i + 1, scaled by the
// vector multiple; none at the last entry.
void Vector(Ink& ink, const ReplayScene& scene, const QPen& pen, int t, int i) {
    if (i < 0 || i + 1 >= scene.Count()) return;
    if (!scene.Usable(t, i) || !scene.Usable(t, i + 1)) return;
    const QPointF from = At(scene.Point(t, i));
    const QPointF to = At(scene.Point(t, i + 1));
    ink.Arrow(from, from + (to - from) * scene.settings.vectorMultiple, pen);
}

// The stick figure of entry i; `override` replaces the lines' colours.
void Figure(Ink& ink, const ReplayScene& scene, int i, const QPen* override = nullptr) {
    if (i < 0 || i >= scene.Count()) return;
    for (const ConnectionLine& line : scene.lines) {
        if (!scene.Usable(line.first, i) || !scene.Usable(line.second, i)) continue;
        ink.Line(At(scene.Point(line.first, i)), At(scene.Point(line.second, i)),
                 override ? *override : SolidPen(DrawingTools::Color(line.colour)));
    }
}

const QPen& TargetPen(const DrawingTools& tools, const ReplayScene& scene, int t) {
    return tools.TargetPen(scene.colours[static_cast<std::size_t>(t)],
                           scene.styles[static_cast<std::size_t>(t)]);
}

// The trajectory items of entry i: the segment ending there and the vector
// starting there.
void TrajectoryItems(Ink& ink, const DrawingTools& tools, const ReplayScene& scene, int i) {
    for (int t : scene.shown) {
        const QPen& pen = TargetPen(tools, scene, t);
        if (HasTrajectory(scene.settings)) Segment(ink, scene, pen, t, i);
        if (HasVectors(scene.settings)) Vector(ink, scene, pen, t, i);
    }
}

// A target's mark: a circle from 2 pixels left/above to 3 right/below the
// truncated point, red outline, white inside.
void Mark(QPainter& painter, const XY_TRACK& p) {
    painter.setPen(SolidPen(kRed));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(static_cast<int>(p.x) - 2, static_cast<int>(p.y) - 2, 4, 4));
    painter.setBrush(Qt::NoBrush);
}

void Label(QPainter& painter, int x, int y, const std::string& text) {
    painter.drawText(QRectF(x, y, 400, 40), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(text));
}

// The bars in the top right corner: the length bar at y = 20 with end
// ticks, the vector bar as an arrow at y = 70.
void ScaleBars(QPainter& painter, const ReplayScene& scene) {
    const int w = scene.frameSize.width();
    const QPen pen = SolidPen(kRed);
    Ink ink(painter);
    if (const ScaleBar& bar = scene.lengthBar; bar.Shown()) {
        const int left = w - bar.pixels - 10, right = w - 10;
        ink.Line(QPointF(left, 20), QPointF(right, 20), pen);
        ink.Line(QPointF(left, 15), QPointF(left, 25), pen);
        ink.Line(QPointF(right, 15), QPointF(right, 25), pen);
        Label(painter, left, 30, bar.Label());
    }
    if (const ScaleBar& bar = scene.vectorBar; bar.Shown() && scene.settings.ShowsVectors()) {
        const int left = w - bar.pixels - 10, right = w - 10;
        ink.Arrow(QPointF(left, 70), QPointF(right, 70), pen);
        Label(painter, left, 80, bar.Label());
    }
}

} // namespace

QColor OverlayPainter::BackgroundColour(ReplayBackground background) {
    return background == ReplayBackground::White ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

QColor OverlayPainter::HighlightColour(ReplayBackground background) {
    return background == ReplayBackground::White ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

void OverlayPainter::PaintBackground(QPainter& painter, const ReplayScene& scene) {
    painter.fillRect(QRect(QPoint(0, 0), scene.frameSize),
                     BackgroundColour(scene.settings.background));
}

void OverlayPainter::ClearLayer(const ReplayScene& scene) {
    if (layer_.size() != scene.frameSize)
        layer_ = QImage(scene.frameSize, QImage::Format_ARGB32_Premultiplied);
    layer_.fill(Qt::transparent);
    layerUsed_ = QRect();
    layerIndex_ = -1;
    const ReplaySettings& s = scene.settings;
    QPainter painter(&layer_);
    Ink ink(painter, &layerUsed_);
    for (int i = 0; i < scene.Count(); ++i) {
        if (s.span == TrajectorySpan::All) TrajectoryItems(ink, tools_, scene, i);
        if (s.lines && s.lineSpan == LineSpan::All) Figure(ink, scene, i);
    }
    layerValid_ = true;
}

void OverlayPainter::UpdateLayer(const ReplayScene& scene, int current) {
    const ReplaySettings& s = scene.settings;
    const bool trajectories = s.span == TrajectorySpan::Afterimage;
    const bool figures = s.lines && s.lineSpan == LineSpan::Afterimage;
    const bool afterimage = trajectories || figures;
    // Going back takes the afterimage's later items out: the layer is drawn anew.
    if (!layerValid_ || (afterimage && current < layerIndex_)) ClearLayer(scene);
    if (!afterimage || current <= layerIndex_) return;
    QPainter painter(&layer_);
    Ink ink(painter, &layerUsed_);
    for (int i = layerIndex_ + 1; i <= current; ++i) {
        if (trajectories) TrajectoryItems(ink, tools_, scene, i);
        if (figures) Figure(ink, scene, i);
    }
    layerIndex_ = current;
}

void OverlayPainter::Paint(QPainter& painter, const ReplayScene& scene, int frame) {
    if (scene.frameSize.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int current = FrameSelection::IndexAtOrBefore(scene.frames, frame);
    UpdateLayer(scene, current);
    if (!layerUsed_.isEmpty()) {
        const QRect used = layerUsed_ & layer_.rect();
        painter.drawImage(used.topLeft(), layer_, used);
    }
    const ReplaySettings& s = scene.settings;
    Ink ink(painter);
    const QPen highlight = SolidPen(HighlightColour(s.background));
    const bool marked = s.marks && current >= 0;
    if (s.trajectories && current >= 0) {
        for (int t : scene.shown) {
            if (s.span == TrajectorySpan::VectorOnly)
                Vector(ink, scene, TargetPen(tools_, scene, t), t, current);
            else if (s.span == TrajectorySpan::All && marked && HasVectors(s))
                Vector(ink, scene, highlight, t, current);
        }
    }
    if (s.lines && s.lineSpan == LineSpan::Current) Figure(ink, scene, current);
    if (s.lines && s.lineSpan == LineSpan::All && marked) Figure(ink, scene, current, &highlight);
    if (current >= 0 && (s.numbers || s.marks)) {
        QFont font = painter.font();
        font.setPixelSize(12);
        painter.setFont(font);
        for (int t : scene.shown) {
            if (!scene.Readable(t, current)) continue;
            const XY_TRACK& p = scene.Point(t, current);
            if (s.numbers) {
                painter.setPen(
                    SolidPen(DrawingTools::Color(scene.colours[static_cast<std::size_t>(t)])));
                painter.drawText(QPointF(p.x + 5.0, p.y - 5.0), QString::number(t + 1));
            }
            if (s.marks) Mark(painter, p);
        }
    }
    ScaleBars(painter, scene);
    painter.restore();
}
