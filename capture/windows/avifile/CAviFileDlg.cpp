#include "CAviFileDlg.h"

#include "AviFileLogic.h"
#include "CSledoCtrl.h"
#include "ui_CAviFileDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPixmap>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CAviFileDlg::CAviFileDlg(kova::CFrameStore& store, kova::Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CAviFileDlg),
      logic_(std::make_unique<AviFileLogic>(store, prompter)) {
    ui_->setupUi(this);
    slider_ = new CSledoCtrl(ui_->sliderHost);
    slider_->setObjectName(QStringLiteral("Slider1"));
    slider_->setAccessibleName(QStringLiteral("预览帧"));
    slider_->setAuto(false);
    slider_->setVertical(false);
    slider_->SetRange(1, 1);
    ui_->sliderHost->layout()->addWidget(slider_);
    ui_->stop->setEnabled(false);
    Connect();
    logic_->SetControls(this);
    logic_->SetEventPump([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    logic_->InitWindow();
}

CAviFileDlg::~CAviFileDlg() {
    logic_->SetControls(nullptr);
}

bool CAviFileDlg::IsRunning() const {
    return logic_->IsRunning();
}

void CAviFileDlg::Connect() {
    connect(ui_->browse, &QPushButton::clicked, this, [this] { logic_->Browse(); });
    connect(ui_->previewButton, &QPushButton::clicked, this, [this] { logic_->Preview(); });
    connect(ui_->run, &QPushButton::clicked, this, [this] { logic_->Run(); });
    connect(ui_->stop, &QPushButton::clicked, this, [this] { logic_->Stop(); });
    connect(ui_->closeButton, &QPushButton::clicked, this, &CAviFileDlg::reject);
    // The low thumb names the previewed frame.
    connect(slider_, &CSledoCtrl::Change, this,
            [this](long low, long) { logic_->ShowFrame(static_cast<int>(low)); });
    connect(slider_, &CSledoCtrl::Fix, this,
            [this](long low, long) { logic_->ShowFrame(static_cast<int>(low)); });
}

void CAviFileDlg::ReadControls(AviFileFields* fields) {
    fields->fileName = ui_->fileName->text().toStdString();
    fields->withinWindow = ui_->withinWindow->isChecked();
    fields->startX = ui_->startX->value();
    fields->startY = ui_->startY->value();
    fields->aviStart = ui_->aviStart->value();
    fields->aviEnd = ui_->aviEnd->value();
    fields->systemStart = ui_->systemStart->value();
    fields->systemEnd = ui_->systemEnd->value();
    fields->interval = ui_->interval->value();
    fields->operation = ui_->save->isChecked() ? AviOperation::Save : AviOperation::Load;
    fields->layout = ui_->fields->isChecked() ? AviSaveLayout::Fields : AviSaveLayout::Frames;
    fields->firstField = ui_->evenFirst->isChecked() ? AviFirstField::Even : AviFirstField::Odd;
    fields->frameRate = ui_->frameRate->text().toStdString();
}

void CAviFileDlg::WriteControls(const AviFileFields& fields) {
    ui_->fileName->setText(Utf8(fields.fileName));
    ui_->directory->setText(Utf8(fields.directory));
    ui_->withinWindow->setChecked(fields.withinWindow);
    ui_->startX->setValue(fields.startX);
    ui_->startY->setValue(fields.startY);
    ui_->aviStart->setValue(fields.aviStart);
    ui_->aviEnd->setValue(fields.aviEnd);
    ui_->systemStart->setValue(fields.systemStart);
    ui_->systemEnd->setValue(fields.systemEnd);
    ui_->interval->setValue(fields.interval);
    (fields.operation == AviOperation::Save ? ui_->save : ui_->load)->setChecked(true);
    (fields.layout == AviSaveLayout::Fields ? ui_->fields : ui_->frames)->setChecked(true);
    (fields.firstField == AviFirstField::Even ? ui_->evenFirst : ui_->oddFirst)->setChecked(true);
    ui_->frameRate->setText(Utf8(fields.frameRate));
}

void CAviFileDlg::SetPropertyText(const std::string& text) {
    ui_->propertyText->setText(Utf8(text));
}

void CAviFileDlg::ShowPreview(const QImage& image, const std::string& text) {
    if (image.isNull()) {
        ui_->preview->setPixmap(QPixmap());
        ui_->preview->setText(Utf8(text));
    } else {
        ui_->preview->setPixmap(QPixmap::fromImage(image));
    }
}

void CAviFileDlg::SetSliderRange(int min, int max) {
    slider_->SetRange(min, max);
    slider_->SetBar(min, min);
}

void CAviFileDlg::SetProgress(int percent) {
    ui_->progress->setValue(percent);
}

void CAviFileDlg::SetRunning(bool running) {
    ui_->run->setEnabled(!running);
    ui_->stop->setEnabled(running);
    ui_->closeButton->setEnabled(!running);
    ui_->previewButton->setEnabled(!running);
    ui_->browse->setEnabled(!running);
}

QWidget* CAviFileDlg::FieldWidget(AviFileField field) const {
    switch (field) {
    case AviFileField::FileName:
        return ui_->fileName;
    case AviFileField::StartX:
        return ui_->startX;
    case AviFileField::StartY:
        return ui_->startY;
    case AviFileField::AviStart:
        return ui_->aviStart;
    case AviFileField::AviEnd:
        return ui_->aviEnd;
    case AviFileField::SystemStart:
        return ui_->systemStart;
    case AviFileField::SystemEnd:
        return ui_->systemEnd;
    case AviFileField::Interval:
        return ui_->interval;
    case AviFileField::FrameRate:
        return ui_->frameRate;
    case AviFileField::None:
        break;
    }
    return nullptr;
}

void CAviFileDlg::FocusField(AviFileField field) {
    if (QWidget* widget = FieldWidget(field)) widget->setFocus(Qt::OtherFocusReason);
}

// Closing is refused while a load or save runs: its loop still uses the
// window.
void CAviFileDlg::reject() {
    if (IsRunning()) return;
    QDialog::reject();
}

void CAviFileDlg::closeEvent(QCloseEvent* event) {
    if (IsRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
