#include "TargetOverlay.h"

#include "CImageDisplay.h"
#include "DrawingTools.h"
#include "MeasureDocument.h"

#include <QPainter>
#include <QPolygonF>
#include <string>
#include <vector>

namespace {

// Colours and names as the track information holds them, repaired for the
// target count without changing the stored keys.
struct TargetLooks {
    std::vector<int> colours; // pairs (colour, style)
    std::vector<std::string> names;
};

TargetLooks ReadLooks(CTrackInfo2D& info, int targets) {
    TargetLooks looks;
    std::vector<int> stored;
    info.GetArray("ColorTarget", &stored);
    looks.colours = CTrackInfo2D::RepairColors(stored, targets);
    std::vector<std::string> names;
    info.GetArray("NameTarget", &names);
    looks.names = CTrackInfo2D::RepairNames(names, targets);
    return looks;
}

void PaintMark(QPainter* painter, TargetOverlay::Look look, const QPointF& at) {
    const double r = TargetOverlay::kRadius;
    switch (look) {
    case TargetOverlay::Look::Found:
        painter->drawEllipse(at, r, r);
        painter->drawPoint(at);
        break;
    case TargetOverlay::Look::Doubtful:
        painter->drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
        break;
    case TargetOverlay::Look::Interpolated:
        painter->drawPolygon(QPolygonF({QPointF(at.x(), at.y() - r), QPointF(at.x() + r, at.y()),
                                        QPointF(at.x(), at.y() + r), QPointF(at.x() - r, at.y())}));
        break;
    case TargetOverlay::Look::Lost:
        painter->drawLine(QPointF(at.x() - r, at.y() - r), QPointF(at.x() + r, at.y() + r));
        painter->drawLine(QPointF(at.x() - r, at.y() + r), QPointF(at.x() + r, at.y() - r));
        break;
    }
}

} // namespace

TargetOverlay::TargetOverlay(CImageDisplay& display, MeasureDocument& measure,
                             const DrawingTools& tools)
    : display_(display), measure_(measure), tools_(tools) {
    SetName("显示目标");
}

TargetOverlay::~TargetOverlay() {
    display_.ReleasePaint(this);
}

void TargetOverlay::SetShown(bool on) {
    if (on == shown_) return;
    shown_ = on;
    if (on)
        display_.CatchPaint(this);
    else
        display_.ReleasePaint(this);
    display_.Refresh();
}

TargetOverlay::Look TargetOverlay::LookOf(int status) {
    switch (status) {
    case 0:
        return Look::Found;
    case 1:
    case 2:
        return Look::Doubtful;
    case -1:
        return Look::Interpolated;
    default:
        return Look::Lost;
    }
}

void TargetOverlay::OnDisplayPaint(QPainter* painter) {
    const CTrackFile2D& track = measure_.Track();
    const int targets = track.GetTargetCount();
    const int frame = display_.GetPage() - 1;
    if (targets < 1 || frame < 0 || frame >= track.GetFrameCount()) return;
    const TargetLooks looks = ReadLooks(measure_.Info(), targets);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    QFont font = painter->font();
    font.setPixelSize(10);
    painter->setFont(font);
    for (int t = 0; t < targets; ++t) {
        XY_TRACK point{};
        if (!track.GetPoint(t, frame, &point)) continue;
        const std::size_t pair = static_cast<std::size_t>(t) * 2;
        painter->setPen(tools_.TargetPen(looks.colours[pair], looks.colours[pair + 1]));
        const QPointF at(point.x, point.y);
        PaintMark(painter, LookOf(point.status), at);
        painter->setPen(DrawingTools::Color(looks.colours[pair]));
        // The number, and the name when it is more than the number.
        const std::string number = std::to_string(t + 1);
        const std::string& name = looks.names[static_cast<std::size_t>(t)];
        const std::string label = name.empty() || name == number ? number : number + " " + name;
        painter->drawText(at + QPointF(kRadius + 2, -kRadius - 2), QString::fromStdString(label));
    }
    painter->restore();
}
