#include "CSledoCtrl.h"

#include "Prompter.h"
#include "SledoColor.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <limits>

using kova::SledoLayout;
using kova::SledoPart;
using Thumb = kova::SledoRange::Thumb;

namespace {

constexpr int kFirstRepeatMs = 500;
constexpr int kRepeatMs = 50;

bool Fits32(long v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

bool IsDrag(SledoPart part) {
    return part == SledoPart::LowThumb || part == SledoPart::Bar || part == SledoPart::HighThumb;
}

bool IsButton(SledoPart part) {
    return part == SledoPart::LowMinus || part == SledoPart::LowPlus ||
           part == SledoPart::HighMinus || part == SledoPart::HighPlus;
}

// A box with a one-pixel bevel: light above and left, dark below and right
// (the other way round when sunken).
void DrawBox(QPainter& painter, const QRect& r, const QColor& face, const QColor& light,
             const QColor& dark, bool sunken = false) {
    if (r.isEmpty()) return;
    const QColor& topLeft = sunken ? dark : light;
    const QColor& bottomRight = sunken ? light : dark;
    painter.fillRect(r, face);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

} // namespace

CSledoCtrl::CSledoCtrl(QWidget* parent) : QWidget(parent), repeat_(this) {
    ApplyProperties(kova::SledoProperties{});
    repeat_.setObjectName(QStringLiteral("repeatTimer"));
    connect(&repeat_, &QTimer::timeout, this, &CSledoCtrl::OnRepeat);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSledoCtrl::~CSledoCtrl() = default;

void CSledoCtrl::Changed() {
    modified_ = true;
    update();
}

void CSledoCtrl::ReportIfMoved(long oldLow, long oldHigh) {
    if (Low() == oldLow && High() == oldHigh) return;
    emit Change(Low(), High());
    emit Fix(Low(), High());
}

void CSledoCtrl::setMin(long min) {
    const long low = Low();
    const long high = High();
    if (!Fits32(min) || !range_.SetMinBound(min)) return;
    Changed();
    ReportIfMoved(low, high);
}

void CSledoCtrl::setMax(long max) {
    const long low = Low();
    const long high = High();
    if (!Fits32(max) || !range_.SetMaxBound(max)) return;
    Changed();
    ReportIfMoved(low, high);
}

void CSledoCtrl::setLow(long low) {
    if (!range_.MoveExternal(Thumb::Low, low)) return;
    Changed();
    emit Change(Low(), High());
    emit Fix(Low(), High());
}

void CSledoCtrl::setHigh(long high) {
    if (!range_.MoveExternal(Thumb::High, high)) return;
    Changed();
    emit Change(Low(), High());
    emit Fix(Low(), High());
}

void CSledoCtrl::setSlider(long width) {
    if (width <= 0 || !Fits32(width) || width == sliderWidth_) return;
    sliderWidth_ = width;
    Changed();
}

void CSledoCtrl::setLock(bool lock) {
    if (lock == range_.Lock()) return;
    range_.SetLock(lock);
    modified_ = true;
}

void CSledoCtrl::setVertical(bool vertical) {
    if (vertical == vertical_) return;
    vertical_ = vertical;
    Changed();
}

void CSledoCtrl::SetColor(ColorIndex index, quint32 color) {
    if (colors_[index] == color) return;
    colors_[index] = color;
    Changed();
}

void CSledoCtrl::setReverse(bool reverse) {
    if (reverse == range_.Reverse()) return;
    const bool moved = range_.SetReverse(reverse);
    Changed();
    if (moved) {
        emit Change(Low(), High());
        emit Fix(Low(), High());
    }
}

void CSledoCtrl::setAuto(bool on) {
    if (on == autoHv_) return;
    autoHv_ = on;
    if (on) vertical_ = !(width() > height());
    Changed();
}

void CSledoCtrl::setButtonOn(bool on) {
    if (on == buttonOn_) return;
    buttonOn_ = on;
    Changed();
}

void CSledoCtrl::setButton(long width) {
    if (width <= 7 || !Fits32(width) || width == buttonWidth_) return;
    buttonWidth_ = width;
    Changed();
}

void CSledoCtrl::setButtonAuto(bool on) {
    if (on == autoBtn_) return;
    autoBtn_ = on;
    if (on) buttonWidth_ = std::max(Layout().Thickness() - 2, 0);
    Changed();
}

bool CSledoCtrl::SetBar(long low, long high) {
    if (!range_.SetBar(low, high)) return false;
    Changed();
    emit Change(Low(), High());
    emit Fix(Low(), High());
    return true;
}

bool CSledoCtrl::SetRange(long min, long max) {
    const long low = Low();
    const long high = High();
    if (!Fits32(min) || !Fits32(max) || !range_.SetRange(min, max)) return false;
    Changed();
    ReportIfMoved(low, high);
    return true;
}

void CSledoCtrl::AboutBox() {
    const kova::Message message{"Sledo Control\nVersion 1.0", "Sledo Control",
                                kova::MessageIcon::Information, kova::MessageButtons::Ok};
    if (prompter_) {
        prompter_->Show(message);
        return;
    }
    QMessageBox::about(this, QString::fromStdString(message.caption),
                       QString::fromStdString(message.text));
}

kova::SledoProperties CSledoCtrl::StoredProperties() const {
    kova::SledoProperties p;
    p.minRange = range_.Min();
    p.maxRange = range_.Max();
    p.reverse = range_.Reverse();
    p.vertical = vertical_;
    p.sliderWidth = sliderWidth_;
    p.otherLock = range_.Lock();
    p.autoHv = autoHv_;
    p.frmFaceColor = colors_[FrmFace];
    p.frmHilightColor = colors_[FrmHilight];
    p.frmShadowColor = colors_[FrmShadow];
    p.btnFaceColor = colors_[BtnFace];
    p.btnHilightColor = colors_[BtnHilight];
    p.btnShadowColor = colors_[BtnShadow];
    p.barFaceColor = colors_[BarFace];
    p.button = buttonOn_;
    p.buttonWidth = buttonWidth_;
    p.autoBtn = autoBtn_;
    return p;
}

void CSledoCtrl::ApplyProperties(const kova::SledoProperties& p) {
    // A drag or repeat in progress refers to the old values: it ends here.
    repeat_.stop();
    drag_ = SledoPart::None;
    const bool rangeOk = Fits32(p.minRange) && Fits32(p.maxRange) && p.minRange <= p.maxRange;
    range_.Reset(rangeOk ? p.minRange : 1, rangeOk ? p.maxRange : 100, p.reverse);
    range_.SetLock(p.otherLock);
    vertical_ = p.vertical;
    sliderWidth_ = p.sliderWidth > 0 && Fits32(p.sliderWidth) ? p.sliderWidth : 12;
    autoHv_ = p.autoHv;
    colors_ = {p.btnFaceColor,    p.btnHilightColor, p.btnShadowColor, p.frmFaceColor,
               p.frmHilightColor, p.frmShadowColor,  p.barFaceColor};
    buttonOn_ = p.button;
    buttonWidth_ = p.buttonWidth > 7 && Fits32(p.buttonWidth) ? p.buttonWidth : 16;
    autoBtn_ = p.autoBtn;
    modified_ = false;
    // The automatic shape follows at the next resize or paint, when the
    // control has its real size.
    update();
}

void CSledoCtrl::SaveProperties(QSettings& settings, const QString& group) {
    StoredProperties().Save(settings, group);
    modified_ = false;
}

void CSledoCtrl::LoadProperties(QSettings& settings, const QString& group) {
    ApplyProperties(kova::SledoProperties::Load(settings, group));
}

SledoLayout CSledoCtrl::Layout() const {
    kova::SledoShape shape;
    shape.width = width();
    shape.height = height();
    shape.vertical = vertical_;
    shape.sliderWidth = sliderWidth_;
    shape.buttonsOn = buttonOn_;
    shape.buttonWidth = buttonWidth_;
    return SledoLayout(shape, range_.Min(), range_.Max(), range_.HeldLow(), range_.HeldHigh());
}

QSize CSledoCtrl::sizeHint() const {
    return vertical_ ? QSize(20, 160) : QSize(160, 20);
}

void CSledoCtrl::UpdateAutoShape() {
    if (autoHv_) vertical_ = !(width() > height());
    if (autoBtn_) buttonWidth_ = std::max(Layout().Thickness() - 1, 0);
}

void CSledoCtrl::resizeEvent(QResizeEvent* event) {
    UpdateAutoShape();
    QWidget::resizeEvent(event);
}

void CSledoCtrl::paintEvent(QPaintEvent* /*event*/) {
    UpdateAutoShape();
    // Drawn whole into an off-screen image, then copied in one go.
    const qreal ratio = devicePixelRatioF();
    QImage buffer(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        Draw(painter);
    }
    QPainter(this).drawImage(0, 0, buffer);
}

QColor CSledoCtrl::Color(ColorIndex index) const {
    return kova::SledoColorToQColor(colors_[index], palette());
}

void CSledoCtrl::Draw(QPainter& painter) const {
    const QRect all = rect();
    DrawBox(painter, all, Color(FrmFace), Color(FrmHilight), Color(FrmShadow));
    const SledoLayout layout = Layout();
    painter.fillRect(layout.Bar(), Color(BarFace));
    DrawBox(painter, layout.LowThumb(), Color(BtnFace), Color(BtnHilight), Color(BtnShadow));
    DrawBox(painter, layout.HighThumb(), Color(BtnFace), Color(BtnHilight), Color(BtnShadow));
    if (!buttonOn_) return;
    for (SledoPart part :
         {SledoPart::LowMinus, SledoPart::LowPlus, SledoPart::HighMinus, SledoPart::HighPlus})
        DrawArrowButton(painter, layout, part);
}

void CSledoCtrl::DrawArrowButton(QPainter& painter, const SledoLayout& layout,
                                 SledoPart part) const {
    const QRect r = layout.Button(part);
    if (r.isEmpty()) return;
    DrawBox(painter, r, Color(BtnFace), Color(BtnHilight), Color(BtnShadow), drag_ == part);
    // The arrow points towards lower values for -1, higher for +1; with
    // reverse the lower values lie at the end of the rail.
    const bool minus = part == SledoPart::LowMinus || part == SledoPart::HighMinus;
    const bool towardsStart = minus != range_.Reverse();
    const int half = std::max(std::min(r.width(), r.height()) / 4, 1);
    const QPoint c = r.center();
    const int tip = towardsStart ? -half : half;
    QPolygon arrow;
    if (vertical_)
        arrow << QPoint(c.x(), c.y() + tip) << QPoint(c.x() - half, c.y() - tip)
              << QPoint(c.x() + half, c.y() - tip);
    else
        arrow << QPoint(c.x() + tip, c.y()) << QPoint(c.x() - tip, c.y() - half)
              << QPoint(c.x() - tip, c.y() + half);
    painter.setPen(Color(BtnShadow));
    painter.setBrush(Color(BtnShadow));
    painter.drawPolygon(arrow);
}

bool CSledoCtrl::StepButton() {
    switch (drag_) {
    case SledoPart::LowMinus:
        return range_.MoveExternal(Thumb::Low, Low() - 1);
    case SledoPart::LowPlus:
        return range_.MoveExternal(Thumb::Low, Low() + 1);
    case SledoPart::HighMinus:
        return range_.MoveExternal(Thumb::High, High() - 1);
    case SledoPart::HighPlus:
        return range_.MoveExternal(Thumb::High, High() + 1);
    default:
        return false;
    }
}

void CSledoCtrl::OnRepeat() {
    // The first tick ends the initial delay; from then on the steps follow
    // at the repeat rate.
    if (repeat_.interval() != kRepeatMs) repeat_.setInterval(kRepeatMs);
    if (!StepButton()) return;
    update();
    emit Change(Low(), High());
}

void CSledoCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    repeat_.stop();
    UpdateAutoShape();
    const SledoLayout layout = Layout();
    const QPoint pos = event->position().toPoint();
    drag_ = layout.HitTest(pos);
    if (IsDrag(drag_)) {
        pressAlong_ = layout.AlongRail(pos);
        startLow_ = range_.HeldLow();
        startHigh_ = range_.HeldHigh();
        if (drag_ != SledoPart::Bar)
            keyThumb_ = drag_ == SledoPart::LowThumb ? Thumb::Low : Thumb::High;
    } else if (IsButton(drag_)) {
        StepButton();
        emit Change(Low(), High());
        repeat_.start(kFirstRepeatMs);
    }
    update();
}

void CSledoCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (!IsDrag(drag_)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const SledoLayout layout = Layout();
    const long offset =
        layout.DragOffset(layout.AlongRail(event->position().toPoint()) - pressAlong_);
    bool moved = false;
    if (drag_ == SledoPart::LowThumb)
        moved = range_.DragThumb(Thumb::Low, startLow_, offset);
    else if (drag_ == SledoPart::HighThumb)
        moved = range_.DragThumb(Thumb::High, startHigh_, offset);
    else
        moved = range_.DragBar(startLow_, startHigh_, offset);
    if (!moved) return;
    update();
    emit Change(Low(), High());
}

void CSledoCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    repeat_.stop();
    drag_ = SledoPart::None;
    update();
    emit Fix(Low(), High());
}

void CSledoCtrl::keyPressEvent(QKeyEvent* event) {
    long step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Keys move the thumb last pressed, towards the start or the end of the
    // rail, like the mouse.
    const long held = keyThumb_ == Thumb::Low ? range_.HeldLow() : range_.HeldHigh();
    if (!range_.MoveHeld(keyThumb_, held + step)) return;
    update();
    emit Change(Low(), High());
}

void CSledoCtrl::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (!arrow) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) emit Fix(Low(), High());
}
