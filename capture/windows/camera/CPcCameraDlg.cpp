#include "CPcCameraDlg.h"

#include "CCaptureFormatDlg.h"
#include "CCaptureSourceDlg.h"
#include "PcCameraLogic.h"
#include "ui_CPcCameraDlg.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <opencv2/core.hpp>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// An 8-bit BGR or grey frame as an image of its own.
QImage ToImage(const cv::Mat& frame) {
    if (frame.type() == CV_8UC1)
        return QImage(frame.data, frame.cols, frame.rows, static_cast<qsizetype>(frame.step),
                      QImage::Format_Grayscale8)
            .copy();
    return QImage(frame.data, frame.cols, frame.rows, static_cast<qsizetype>(frame.step),
                  QImage::Format_BGR888)
        .copy();
}

} // namespace

CPcCameraDlg::CPcCameraDlg(kova::CFrameStore& store, kova::Prompter& prompter,
                           CaptureViewPort& view, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CPcCameraDlg),
      logic_(std::make_unique<PcCameraLogic>(store, prompter, view)) {
    ui_->setupUi(this);
    setModal(false);
    ui_->overlay->setEnabled(false); // no overlay exists here
    Connect();
    logic_->SetControls(this);
    logic_->SetEventPump([] { QCoreApplication::processEvents(); });
    logic_->Open();
}

CPcCameraDlg::~CPcCameraDlg() {
    logic_->SetControls(nullptr);
}

bool CPcCameraDlg::IsRunning() const {
    return logic_->IsRunning();
}

void CPcCameraDlg::Connect() {
    PcCameraLogic* logic = logic_.get();
    connect(ui_->drivers, &QListWidget::currentRowChanged, this,
            [logic](int row) { logic->ChooseDriver(row); });
    connect(ui_->format, &QPushButton::clicked, this, &CPcCameraDlg::ChooseFormat);
    connect(ui_->source, &QPushButton::clicked, this, &CPcCameraDlg::ShowSource);
    connect(ui_->display, &QPushButton::clicked, this, [logic] { logic->Display(); });
    connect(ui_->copy, &QPushButton::clicked, this, &CPcCameraDlg::Copy);
    connect(ui_->getRate, &QPushButton::clicked, this, [logic] { logic->GetRate(); });
    connect(ui_->setRate, &QPushButton::clicked, this, [logic] { logic->SetRate(); });
    connect(ui_->capture, &QPushButton::clicked, this, [logic] { logic->StartCapture(); });
    connect(ui_->stop, &QPushButton::clicked, this, [logic] { logic->Stop(); });
    connect(ui_->close, &QPushButton::clicked, this, &CPcCameraDlg::close);
}

void CPcCameraDlg::ChooseFormat() {
    CCaptureFormatDlg dialog(logic_->Formats(), logic_->CurrentFormat(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.Chosen())
        logic_->ChooseFormat(*dialog.Chosen());
}

void CPcCameraDlg::ShowSource() {
    CCaptureSourceDlg dialog(
        logic_->Controls(), [this](int id, int value) { return logic_->SetControl(id, value); },
        this);
    dialog.exec();
}

void CPcCameraDlg::Copy() {
    cv::Mat frame;
    if (logic_->Copy(frame)) QGuiApplication::clipboard()->setImage(ToImage(frame));
}

void CPcCameraDlg::ReadControls(PcCameraFields* fields) {
    fields->driver = ui_->drivers->currentRow();
    fields->rate = ui_->rate->value();
    fields->startFrame = ui_->startFrame->value();
    fields->endFrame = ui_->endFrame->value();
    fields->lowSpeed = ui_->lowSpeed->isChecked();
    fields->secondsPerFrame = ui_->secondsPerFrame->value();
    fields->target = ui_->disk->isChecked() ? PcCameraTarget::Disk : PcCameraTarget::Memory;
    fields->fileName = ui_->fileName->text().toStdString();
}

void CPcCameraDlg::WriteControls(const PcCameraFields& fields) {
    const QSignalBlocker block(ui_->drivers);
    QStringList names;
    for (const std::string& name : fields.drivers)
        names << Utf8(name);
    QStringList shown;
    for (int i = 0; i < ui_->drivers->count(); ++i)
        shown << ui_->drivers->item(i)->text();
    if (shown != names) {
        ui_->drivers->clear();
        ui_->drivers->addItems(names);
    }
    ui_->drivers->setCurrentRow(fields.driver);
    ui_->rate->setValue(fields.rate);
    ui_->startFrame->setRange(1, fields.frameCount);
    ui_->endFrame->setRange(1, fields.frameCount);
    ui_->startFrame->setValue(fields.startFrame);
    ui_->endFrame->setValue(fields.endFrame);
    (fields.lowSpeed ? ui_->lowSpeed : ui_->highSpeed)->setChecked(true);
    ui_->secondsPerFrame->setValue(fields.secondsPerFrame);
    (fields.target == PcCameraTarget::Disk ? ui_->disk : ui_->memory)->setChecked(true);
    ui_->fileName->setText(Utf8(fields.fileName));
    SetStatus(fields.statusLabel, fields.statusCount);
}

void CPcCameraDlg::SetStatus(const std::string& label, int count) {
    ui_->statusLabel->setText(Utf8(label));
    ui_->statusCount->setText(QString::number(count));
}

void CPcCameraDlg::EnableControls(const PcCameraEnables& enables) {
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->drivers), static_cast<QWidget*>(ui_->format),
          static_cast<QWidget*>(ui_->source), static_cast<QWidget*>(ui_->display),
          static_cast<QWidget*>(ui_->copy), static_cast<QWidget*>(ui_->rate),
          static_cast<QWidget*>(ui_->getRate), static_cast<QWidget*>(ui_->setRate),
          static_cast<QWidget*>(ui_->rangeGroup), static_cast<QWidget*>(ui_->speedGroup),
          static_cast<QWidget*>(ui_->targetGroup)})
        control->setEnabled(enables.driverControls);
    ui_->capture->setEnabled(enables.capture);
    ui_->stop->setEnabled(enables.stop);
    ui_->close->setEnabled(enables.close);
}

void CPcCameraDlg::reject() {
    if (!logic_->Close()) return; // a capture runs
    closed_ = true;
    QDialog::reject();
}

void CPcCameraDlg::showEvent(QShowEvent* event) {
    if (closed_) {
        closed_ = false;
        logic_->Open();
    }
    QDialog::showEvent(event);
}

void CPcCameraDlg::closeEvent(QCloseEvent* event) {
    if (logic_->IsRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event); // through reject()
}
