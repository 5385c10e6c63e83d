#include "CorrectLogic.h"

#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "Prompter.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

CorrectLogic::CorrectLogic(CImageDisplay& display, MeasureDocument& document,
                           kova::Prompter& prompter)
    : display_(display), document_(document), prompter_(prompter) {
    SetName(kName);
}

CorrectLogic::~CorrectLogic() {
    if (display_.ImageLockHolder() == this) display_.UnLockImage(this, 0);
    display_.ReleaseEasyMouse(this);
}

void CorrectLogic::InitWindow() {
    display_.CatchPaint(this);
    display_.CatchEasyMouse(this);
    display_.CatchWatch(this);
    document_.DataServer().CatchWatch(&watch_);
    selected_ = 0;
    FillTargets();
    if (controls_) controls_->SetEditing(false);
    UpdateEnable();
}

void CorrectLogic::TakeMouse() {
    if (display_.EasyMouseClient() != this) display_.CatchEasyMouse(this);
}

void CorrectLogic::Destroyed() {
    controls_ = nullptr;
    Cancel();
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    display_.ReleaseWatch(this);
    document_.DataServer().ReleaseWatch(&watch_);
    display_.Refresh();
}

int CorrectLogic::ShownFrame() const {
    return display_.GetPage() - 1;
}

bool CorrectLogic::PointAt(int frame, XY_TRACK* point) const {
    return document_.Track().GetPoint(selected_, frame, point) != 0;
}

bool CorrectLogic::CanEdit() const {
    const CTrackFile2D& track = document_.Track();
    const int frame = ShownFrame();
    return selected_ >= 0 && selected_ < track.GetTargetCount() && frame >= 0 &&
           frame < track.GetFrameCount();
}

void CorrectLogic::UpdateEnable() {
    if (controls_) controls_->EnableEdit(editing_ || CanEdit());
}

void CorrectLogic::FillTargets() {
    const int count = document_.Track().GetTargetCount();
    if (selected_ >= count) selected_ = 0;
    if (controls_) controls_->SetTargets(count, count > 0 ? selected_ : -1);
}

// ---- choosing the target and the zoom ----

void CorrectLogic::SelectTarget(int target) {
    if (editing_) return;
    selected_ = target;
    UpdateEnable();
    CentreOnTarget();
    display_.Refresh();
}

void CorrectLogic::SetZoomChoice(int choice) {
    zoomChoice_ = choice;
    CentreOnTarget();
}

void CorrectLogic::MoveTarget() {
    CentreOnTarget();
}

void CorrectLogic::CentreOnTarget() {
    XY_TRACK point{};
    if (editing_ || !PointAt(ShownFrame(), &point)) return;
    if (zoom_)
        zoom_(100 << zoomChoice_, QPoint(static_cast<int>(point.x), static_cast<int>(point.y)));
    display_.Refresh();
}

// ---- editing ----

void CorrectLogic::EditOrConfirm() {
    if (editing_)
        Confirm();
    else
        StartEdit();
}

void CorrectLogic::StartEdit() {
    XY_TRACK point{};
    if (!CanEdit() || !PointAt(ShownFrame(), &point)) {
        prompter_.Show(kNoPoint, "KOVA", kova::MessageIcon::Exclamation);
        return;
    }
    if (!display_.LockImage(this)) return; // the holder is named by the display
    edited_ = point;
    editFrame_ = ShownFrame();
    editing_ = true;
    modified_ = false;
    if (controls_) controls_->SetEditing(true);
    display_.Refresh();
}

void CorrectLogic::Confirm() {
    CDataServer& server = document_.DataServer();
    const bool store = modified_;
    // Another tool that is editing the points keeps them.
    if (store && !server.LockData(&watch_)) return;
    EndEdit();
    if (!store) return;
    document_.History().Record(kName);
    document_.Track().SetPoint(selected_, editFrame_, &edited_);
    document_.Track().SetModified(1);
    server.UnLockData(&watch_, 1); // the watchers, this window too, see the point
}

void CorrectLogic::Cancel() {
    if (editing_) EndEdit();
}

void CorrectLogic::EndEdit() {
    editing_ = false;
    modified_ = false;
    display_.UnLockImage(this, 1);
    if (controls_) controls_->SetEditing(false);
    UpdateEnable();
    display_.Refresh();
}

void CorrectLogic::DataChanged() {
    // The edited point belongs to data that is gone: the edit ends first.
    Cancel();
    FillTargets();
    UpdateEnable();
    display_.Refresh();
}

// ---- the image ----

void CorrectLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    if (editing_) {
        edited_ = XY_TRACK{0, static_cast<float>(point.x()), static_cast<float>(point.y())};
        modified_ = true;
        display_.Refresh();
        return;
    }
    const int nearest = display_.NearestTarget(point.x(), point.y());
    if (nearest < 0) return;
    selected_ = nearest;
    FillTargets();
    UpdateEnable();
    display_.Refresh();
}

void CorrectLogic::OnDisplayChangeImage(int /*page*/, int /*flag*/) {
    UpdateEnable();
}

void CorrectLogic::OnDisplayPaint(QPainter* painter) {
    const CTrackFile2D& track = document_.Track();
    if (!painter || selected_ < 0 || selected_ >= track.GetTargetCount()) return;
    const int shown = editing_ ? editFrame_ : ShownFrame();
    QPolygonF line;
    for (int f = 0; f < track.GetFrameCount(); ++f) {
        XY_TRACK point{};
        PointAt(f, &point);
        if (editing_ && f == shown) point = edited_;
        line << QPointF(point.x, point.y);
    }
    painter->save();
    painter->setPen(QPen(Qt::red, 0));
    painter->drawPolyline(line);
    for (int f = 0; f < line.size(); ++f) {
        painter->setPen(QPen(f == shown ? Qt::cyan : Qt::yellow, 0));
        painter->drawPoint(line[f]);
    }
    painter->restore();
}
