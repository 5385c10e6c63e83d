#include "CCalibration2DDlg.h"

#include "CEasyUtils.h"
#include "Calibration2DLogic.h"
#include "ui_CCalibration2DDlg.h"

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// An edit keeps what was typed unless the logic gave it another text.
void SetEditText(QLineEdit* edit, const std::string& text) {
    if (edit->text() != Utf8(text)) edit->setText(Utf8(text));
}

} // namespace

CCalibration2DDlg::CCalibration2DDlg(Calibration2DLogic& logic, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CCalibration2DDlg), logic_(logic) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < CEasyUtils::kUnitCount; ++i) {
        std::string name;
        CEasyUtils::GetLongStr(&name, i);
        ui_->lengthUnit->addItem(Utf8(name));
        CEasyUtils::GetTimeStr(&name, i);
        ui_->timeUnit->addItem(Utf8(name));
    }
    Connect();
    logic_.SetControls(this);
    logic_.InitWindow();
}

CCalibration2DDlg::~CCalibration2DDlg() {
    logic_.Destroyed();
}

void CCalibration2DDlg::Connect() {
    connect(ui_->scaleMode, &QRadioButton::clicked, this,
            [this] { logic_.SetMouseMode(CalibrationMouseMode::Scale); });
    connect(ui_->coordinateMode, &QRadioButton::clicked, this,
            [this] { logic_.SetMouseMode(CalibrationMouseMode::Coordinates); });
    connect(ui_->computeScale, &QPushButton::clicked, this, [this] { logic_.ComputeScale(); });
    connect(ui_->initialise, &QPushButton::clicked, this, [this] { logic_.Initialise(); });
    connect(ui_->loadSettings, &QPushButton::clicked, this, [this] { logic_.LoadSettings(); });
    connect(ui_->saveSettings, &QPushButton::clicked, this, [this] { logic_.SaveSettings(); });
    connect(ui_->readImage, &QPushButton::clicked, this, [this] { logic_.ReadImage(); });
    connect(ui_->ok, &QPushButton::clicked, this, &CCalibration2DDlg::accept);
    connect(ui_->cancel, &QPushButton::clicked, this, &CCalibration2DDlg::reject);
}

void CCalibration2DDlg::ReadControls(CalibrationFields* fields) {
    fields->lengthUnit = ui_->lengthUnit->currentIndex();
    fields->timeUnit = ui_->timeUnit->currentIndex();
    fields->interval = ui_->interval->text().toStdString();
    fields->frameRate = ui_->frameRate->text().toStdString();
    fields->imageDistance = ui_->imageDistance->text().toStdString();
    fields->realDistance = ui_->realDistance->text().toStdString();
    fields->mouseMode = ui_->coordinateMode->isChecked() ? CalibrationMouseMode::Coordinates
                                                         : CalibrationMouseMode::Scale;
}

void CCalibration2DDlg::WriteControls(const CalibrationFields& fields) {
    ui_->lengthUnit->setCurrentIndex(fields.lengthUnit);
    ui_->timeUnit->setCurrentIndex(fields.timeUnit);
    ui_->angleText->setText(Utf8(fields.angleText));
    ui_->originText->setText(Utf8(fields.originText));
    ui_->directionText->setText(Utf8(fields.directionText));
    SetEditText(ui_->interval, fields.interval);
    SetEditText(ui_->frameRate, fields.frameRate);
    SetEditText(ui_->imageDistance, fields.imageDistance);
    SetEditText(ui_->realDistance, fields.realDistance);
    ui_->scaleText->setText(Utf8(fields.scaleText));
    (fields.mouseMode == CalibrationMouseMode::Coordinates ? ui_->coordinateMode : ui_->scaleMode)
        ->setChecked(true);
}

void CCalibration2DDlg::EnableControls(CalibrationMouseMode mode) {
    const bool scale = mode == CalibrationMouseMode::Scale;
    ui_->initialise->setEnabled(!scale);
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->imageDistance), static_cast<QWidget*>(ui_->realDistance),
          static_cast<QWidget*>(ui_->lengthUnit), static_cast<QWidget*>(ui_->timeUnit),
          static_cast<QWidget*>(ui_->computeScale), static_cast<QWidget*>(ui_->interval),
          static_cast<QWidget*>(ui_->frameRate)})
        control->setEnabled(scale);
}

void CCalibration2DDlg::SetCornerButtonText(const std::string& text) {
    ui_->initialise->setText(Utf8(text));
}

void CCalibration2DDlg::accept() {
    if (!logic_.Accept()) return; // refused: the window stays
    QDialog::accept();            // closes, and so deletes, the window
}

bool CCalibration2DDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Enter)
        logic_.TakeMouse();
    return QDialog::event(event);
}
