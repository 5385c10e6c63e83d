#include "CVideoCtrlDlg.h"

#include "CVideoCtrlDlgClient.h"
#include "ui_CVideoCtrlDlg.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace {

// The speeds offered, in frames per second.
constexpr double kSpeeds[] = {1, 2, 5, 10, 15, 24, 25, 30, 50, 60, 100, 120, 240};
constexpr double kMaxSpeed = 1000.0;

QString SpeedText(double rate) {
    return QString::number(rate, 'g', 4);
}

} // namespace

CVideoCtrlDlg::CVideoCtrlDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CVideoCtrlDlg) {
    ui_->setupUi(this);
    setModal(false);
    for (double speed : kSpeeds)
        ui_->speed->addItem(SpeedText(speed), speed);
    SetFrameRate(30.0);
    timer_.setTimerType(Qt::PreciseTimer);
    Connect();
    SetRange(std::vector<int>());
}

CVideoCtrlDlg::~CVideoCtrlDlg() = default;

void CVideoCtrlDlg::Connect() {
    connect(ui_->play, &QPushButton::clicked, this, &CVideoCtrlDlg::OnPlay);
    connect(ui_->pause, &QPushButton::clicked, this, &CVideoCtrlDlg::OnPause);
    connect(ui_->stop, &QPushButton::clicked, this, [this] {
        OnStop();
        OnFirst();
    });
    connect(ui_->first, &QPushButton::clicked, this, &CVideoCtrlDlg::OnFirst);
    connect(ui_->last, &QPushButton::clicked, this, &CVideoCtrlDlg::OnLast);
    connect(ui_->stepBack, &QPushButton::clicked, this, &CVideoCtrlDlg::OnStepBack);
    connect(ui_->stepForward, &QPushButton::clicked, this, &CVideoCtrlDlg::OnStepForward);
    connect(ui_->slider, &QSlider::valueChanged, this, [this](int value) {
        if (value != position_) Go(value);
    });
    connect(ui_->speed, &QComboBox::currentIndexChanged, this, [this] { SpeedOrLoopChanged(); });
    connect(ui_->loop, &QCheckBox::toggled, this, [this] { SpeedOrLoopChanged(); });
    connect(&timer_, &QTimer::timeout, this, [this] { Advance(clock_.elapsed()); });
}

bool CVideoCtrlDlg::Create(CVideoCtrlDlgClient* client) {
    client_ = client;
    show();
    return client_ != nullptr;
}

void CVideoCtrlDlg::SetRange(const std::vector<int>& frames) {
    OnStop();
    frames_ = frames;
    position_ = 0;
    const QSignalBlocker block(ui_->slider);
    ui_->slider->setRange(0, std::max(0, Count() - 1));
    ui_->slider->setValue(0);
    ShowPosition();
}

void CVideoCtrlDlg::SetRange(const int* frames, int count) {
    SetRange(frames && count > 0 ? std::vector<int>(frames, frames + count) : std::vector<int>());
}

void CVideoCtrlDlg::ShowPosition() {
    {
        const QSignalBlocker block(ui_->slider);
        ui_->slider->setValue(position_);
    }
    ui_->frameText->setText(Count() == 0 ? QString()
                                         : QStringLiteral("帧 %1 (%2 / %3)")
                                               .arg(frames_[static_cast<std::size_t>(position_)])
                                               .arg(position_ + 1)
                                               .arg(Count()));
}

bool CVideoCtrlDlg::Go(int index) {
    if (Count() == 0) return false;
    index = std::clamp(index, 0, Count() - 1);
    const bool shown =
        client_ && client_->OnVideoCtrlShow(index, frames_[static_cast<std::size_t>(index)]);
    if (shown) position_ = index;
    ShowPosition();
    return shown;
}

void CVideoCtrlDlg::OnDirect(int index) {
    Go(index);
}

void CVideoCtrlDlg::OnFirst() {
    Go(0);
}

void CVideoCtrlDlg::OnLast() {
    Go(Count() - 1);
}

void CVideoCtrlDlg::OnStepBack() {
    OnStop();
    if (position_ > 0) Go(position_ - 1);
}

void CVideoCtrlDlg::OnStepForward() {
    OnStop();
    if (position_ + 1 < Count()) Go(position_ + 1);
}

// ---- playback ----

bool CVideoCtrlDlg::Loop() const {
    return ui_->loop->isChecked();
}

double CVideoCtrlDlg::Speed() const {
    return ui_->speed->currentData().toDouble();
}

void CVideoCtrlDlg::SetFrameRate(double framesPerSecond) {
    if (!(framesPerSecond > 0.0)) return;
    const double rate = std::min(framesPerSecond, kMaxSpeed);
    const QSignalBlocker block(ui_->speed);
    int at = 0;
    while (at < ui_->speed->count() && ui_->speed->itemData(at).toDouble() < rate)
        ++at;
    if (at == ui_->speed->count() || ui_->speed->itemData(at).toDouble() != rate)
        ui_->speed->insertItem(at, SpeedText(rate), rate);
    ui_->speed->setCurrentIndex(at);
}

void CVideoCtrlDlg::SpeedOrLoopChanged() {
    if (IsPlaying()) StartClock();
    if (client_) client_->OnVideoCtrlChange(0);
}

void CVideoCtrlDlg::StartClock() {
    startEntry_ = position_;
    clock_.start();
    timer_.start(std::max(1, static_cast<int>(1000.0 / Speed())));
}

void CVideoCtrlDlg::OnPlay() {
    if (Count() < 2) return;
    // From the end, a replay without loop starts again at the beginning.
    if (position_ == Count() - 1 && !Loop()) Go(0);
    StartClock();
}

void CVideoCtrlDlg::OnPause() {
    OnStop();
}

void CVideoCtrlDlg::OnStop() {
    timer_.stop();
}

int CVideoCtrlDlg::DueEntry(int start, qint64 elapsedMs, double rate, int count, bool loop,
                            bool* ended) {
    *ended = false;
    if (count < 1) return 0;
    const double steps =
        std::floor(static_cast<double>(std::max<qint64>(0, elapsedMs)) * rate / 1000.0);
    const double due = start + steps;
    if (loop) return static_cast<int>(std::fmod(due, count));
    if (due >= count - 1) {
        *ended = true;
        return count - 1;
    }
    return static_cast<int>(due);
}

void CVideoCtrlDlg::Advance(qint64 elapsedMs) {
    bool ended = false;
    const int due = DueEntry(startEntry_, elapsedMs, Speed(), Count(), Loop(), &ended);
    // Only the entry due now is shown: those passed meanwhile are left out.
    if (due != position_) Go(due);
    if (ended) OnStop();
}

// ---- the panel itself ----

void CVideoCtrlDlg::EnableCtrlButton(bool enable) {
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->play), static_cast<QWidget*>(ui_->pause),
          static_cast<QWidget*>(ui_->stop), static_cast<QWidget*>(ui_->first),
          static_cast<QWidget*>(ui_->last), static_cast<QWidget*>(ui_->stepBack),
          static_cast<QWidget*>(ui_->stepForward), static_cast<QWidget*>(ui_->slider)})
        control->setEnabled(enable);
}

void CVideoCtrlDlg::EnableModeButton(bool enable) {
    ui_->speed->setEnabled(enable);
    ui_->loop->setEnabled(enable);
}

void CVideoCtrlDlg::Close() {
    OnStop();
    client_ = nullptr;
    hide();
}

void CVideoCtrlDlg::closeEvent(QCloseEvent* event) {
    OnStop();
    if (client_) client_->OnVideoCtrlDestroy();
    QDialog::closeEvent(event);
}
