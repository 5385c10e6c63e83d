#include "CStatusWnd.h"

#include "StatusWindowLogic.h"
#include "ui_CStatusWnd.h"

#include <QButtonGroup>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace {

void SetSpin(QSpinBox* spin, int maximum, int value) {
    const QSignalBlocker block(spin);
    spin->setMaximum(maximum);
    spin->setValue(value);
}

} // namespace

CStatusWnd::CStatusWnd(StatusWindowLogic& logic, QWidget* parent)
    : QDockWidget(QStringLiteral("状态窗"), parent), ui_(new Ui::CStatusWnd), logic_(logic),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("statusWindow"));
    setAccessibleName(windowTitle());
    auto* body = new QWidget(this);
    ui_->setupUi(body);
    setWidget(body);
    timer_->setInterval(StatusWindowLogic::kTickMilliseconds);
    Connect();
    ConnectRegion();
    Refresh();
}

CStatusWnd::~CStatusWnd() = default;

void CStatusWnd::Connect() {
    auto* modes = new QButtonGroup(this);
    QRadioButton* const buttons[] = {ui_->grey, ui_->fullColor, ui_->pseudo,
                                     ui_->red,  ui_->green,     ui_->blue};
    for (int i = 0; i < 6; ++i)
        modes->addButton(buttons[i], i);
    connect(modes, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on) return;
        logic_.SetMode(static_cast<DisplayMode>(id));
        emit displayChanged();
    });
    connect(ui_->keepSource, &QRadioButton::toggled, this, [this](bool keep) {
        logic_.SetKeepSource(keep);
        emit displayChanged();
    });
    connect(ui_->frame, qOverload<int>(&QSpinBox::valueChanged), this, [this](int frame) {
        if (frame != logic_.DisplayedFrame()) logic_.ShowFrame(frame);
    });
    const auto range = [this] { logic_.SetRange(ui_->start->value(), ui_->end->value()); };
    connect(ui_->start, qOverload<int>(&QSpinBox::valueChanged), this, range);
    connect(ui_->end, qOverload<int>(&QSpinBox::valueChanged), this, range);
    connect(ui_->loop, &QCheckBox::toggled, this, [this](bool on) { logic_.SetLoop(on); });
    connect(ui_->continuous, &QPushButton::clicked, this, &CStatusWnd::OnContinuous);
    connect(timer_, &QTimer::timeout, this, &CStatusWnd::OnTick);
}

void CStatusWnd::ConnectRegion() {
    connect(ui_->showRegion, &QCheckBox::toggled, this, [this](bool on) {
        logic_.SetRegionShown(on);
        emit displayChanged();
    });
    connect(ui_->fixedRegion, &QCheckBox::toggled, this, [this](bool on) {
        logic_.SetRegionFixed(on);
        Refresh();
    });
    const auto points = [this] {
        logic_.SetRegionPoints(ui_->x0->value(), ui_->y0->value(), ui_->x1->value(),
                               ui_->y1->value());
    };
    for (QSpinBox* spin : {ui_->x0, ui_->y0, ui_->x1, ui_->y1})
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, points);
    connect(ui_->makeRegion, &QPushButton::clicked, this, [this] {
        logic_.MakeRegion();
        Refresh();
        emit displayChanged();
    });
}

void CStatusWnd::Refresh() {
    const StatusFields& fields = logic_.Fields();
    QRadioButton* const modes[] = {ui_->grey, ui_->fullColor, ui_->pseudo,
                                   ui_->red,  ui_->green,     ui_->blue};
    QRadioButton* const mode = modes[static_cast<int>(fields.mode)];
    if (!mode->isChecked()) {
        const QSignalBlocker blocker(mode);
        mode->setChecked(true);
    }
    const int count = std::max(1, logic_.FrameCount());
    SetSpin(ui_->frame, count, logic_.DisplayedFrame());
    SetSpin(ui_->start, count, fields.start);
    SetSpin(ui_->end, count, fields.end);
    QSpinBox* const region[] = {ui_->x0, ui_->y0, ui_->x1, ui_->y1};
    const int values[] = {fields.x0, fields.y0, fields.x1, fields.y1};
    for (int i = 0; i < 4; ++i) {
        SetSpin(region[i], region[i]->maximum(), values[i]);
        region[i]->setEnabled(fields.fixedRegion);
    }
    ShowRunning();
}

void CStatusWnd::ShowRunning() {
    const QString text = QString::fromStdString(logic_.ContinuousText());
    ui_->continuous->setText(text);
    ui_->continuous->setAccessibleName(text);
}

void CStatusWnd::OnContinuous() {
    if (logic_.StartStop())
        timer_->start();
    else
        timer_->stop();
    Refresh();
}

void CStatusWnd::OnTick() {
    if (!logic_.Tick()) timer_->stop();
    Refresh();
}
