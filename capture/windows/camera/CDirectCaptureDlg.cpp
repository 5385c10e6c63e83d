#include "CDirectCaptureDlg.h"

#include "DirectCaptureLogic.h"
#include "ui_CDirectCaptureDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

namespace {

constexpr int kTickMs = 30;

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Names(const std::vector<std::string>& names) {
    QStringList items;
    for (const std::string& name : names)
        items << Utf8(name);
    return items;
}

// Lists are refilled only when their names changed, so a choice stays.
void ShowNames(QComboBox* box, const std::vector<std::string>& names) {
    const QStringList items = Names(names);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown == items) return;
    box->clear();
    box->addItems(items);
}

void ShowNames(QListWidget* list, const std::vector<std::string>& names) {
    const QStringList items = Names(names);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown == items) return;
    list->clear();
    list->addItems(items);
}

} // namespace

CDirectCaptureDlg::CDirectCaptureDlg(kova::CFrameStore& store, kova::Prompter& prompter,
                                     CaptureViewPort& view, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CDirectCaptureDlg),
      logic_(std::make_unique<DirectCaptureLogic>(store, prompter, view)),
      timer_(new QTimer(this)) {
    ui_->setupUi(this);
    setModal(false);
    Connect();
    logic_->SetControls(this);
    logic_->SetEventPump([] { QCoreApplication::processEvents(); });
    logic_->Open();
    timer_->start(kTickMs);
}

CDirectCaptureDlg::~CDirectCaptureDlg() {
    timer_->stop();
    logic_->SetControls(nullptr);
}

bool CDirectCaptureDlg::IsRunning() const {
    return logic_->IsRunning();
}

void CDirectCaptureDlg::Connect() {
    DirectCaptureLogic* logic = logic_.get();
    connect(timer_, &QTimer::timeout, this, [logic] { logic->Tick(); });
    connect(ui_->options, &QListWidget::currentRowChanged, this,
            [logic](int row) { logic->ChooseOption(row); });
    connect(ui_->preview, &QPushButton::clicked, this, [logic] { logic->Preview(); });
    connect(ui_->capture, &QPushButton::clicked, this, [logic] { logic->StartCapture(); });
    connect(ui_->stop, &QPushButton::clicked, this, [logic] { logic->Stop(); });
    connect(ui_->saveAs, &QPushButton::clicked, this, [logic] { logic->SaveAs(); });
    connect(ui_->play, &QPushButton::clicked, this, [logic] { logic->Play(); });
    connect(ui_->transform, &QPushButton::clicked, this, [logic] { logic->Transform(); });
    connect(ui_->diskToMemory, &QPushButton::clicked, this, [logic] { logic->DiskToMemory(); });
    connect(ui_->reset, &QPushButton::clicked, this, [logic] { logic->Reset(); });
    connect(ui_->setRate, &QPushButton::clicked, this, [logic] { logic->SetRate(); });
    connect(ui_->maximum, &QPushButton::clicked, this, [logic] { logic->Maximum(); });
    connect(ui_->limitFrames, &QSpinBox::editingFinished, this, [logic] { logic->ApplyLimits(); });
    connect(ui_->limitTime, &QSpinBox::editingFinished, this, [logic] { logic->ApplyLimits(); });
    connect(ui_->timeLimit, &QCheckBox::toggled, this, [logic] { logic->ApplyLimits(); });
    connect(ui_->frameRateUse, &QCheckBox::toggled, this, [this] { EnableRateEdit(); });
    connect(ui_->close, &QPushButton::clicked, this, &CDirectCaptureDlg::close);
}

void CDirectCaptureDlg::ReadControls(DirectCaptureFields* fields) {
    fields->device = ui_->device->currentIndex();
    fields->option = ui_->options->currentRow();
    fields->directory = ui_->directory->text().toStdString();
    fields->fileName = ui_->fileName->text().toStdString();
    fields->fileSize = ui_->fileSize->value();
    fields->frameRateUse = ui_->frameRateUse->isChecked();
    fields->frameRate = ui_->frameRate->value();
    fields->startFrame = ui_->startFrame->value();
    fields->endFrame = ui_->endFrame->value();
    fields->target = ui_->memory->isChecked() ? CaptureTarget::Memory : CaptureTarget::Disk;
    fields->limitFrames = ui_->limitFrames->value();
    fields->timeLimit = ui_->timeLimit->isChecked();
    fields->limitTime = ui_->limitTime->value();
}

void CDirectCaptureDlg::WriteControls(const DirectCaptureFields& fields) {
    const QSignalBlocker blockOptions(ui_->options);
    const QSignalBlocker blockTime(ui_->timeLimit);
    ShowNames(ui_->device, fields.devices);
    ui_->device->setCurrentIndex(fields.device);
    ShowNames(ui_->options, fields.options);
    ui_->options->setCurrentRow(fields.option);
    ui_->directory->setText(Utf8(fields.directory));
    ui_->fileName->setText(Utf8(fields.fileName));
    ui_->fileSize->setValue(fields.fileSize);
    ui_->frameRateUse->setChecked(fields.frameRateUse);
    ui_->frameRate->setValue(fields.frameRate);
    ui_->startFrame->setRange(1, fields.frameCount);
    ui_->endFrame->setRange(1, fields.frameCount);
    ui_->startFrame->setValue(fields.startFrame);
    ui_->endFrame->setValue(fields.endFrame);
    (fields.target == CaptureTarget::Memory ? ui_->memory : ui_->disk)->setChecked(true);
    ui_->limitFrames->setValue(fields.limitFrames);
    ui_->timeLimit->setChecked(fields.timeLimit);
    ui_->limitTime->setValue(fields.limitTime);
    ui_->diskSpace->setText(QStringLiteral("可用硬盘空间 : ") + Utf8(fields.diskSpace));
    SetStatus(fields.status);
}

void CDirectCaptureDlg::SetStatus(const std::string& text) {
    ui_->status->setText(Utf8(text));
}

void CDirectCaptureDlg::EnableControls(const DirectCaptureEnables& enables) {
    ui_->preview->setText(Utf8(enables.previewText));
    ui_->preview->setEnabled(enables.preview);
    ui_->capture->setEnabled(enables.capture);
    ui_->stop->setEnabled(enables.stop);
    ui_->saveAs->setEnabled(enables.saveAs);
    ui_->play->setEnabled(enables.play);
    ui_->transform->setEnabled(enables.transform);
    ui_->diskToMemory->setEnabled(enables.diskToMemory);
    ui_->close->setEnabled(enables.close);
    settingsEnabled_ = enables.settings;
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->device), static_cast<QWidget*>(ui_->options),
          static_cast<QWidget*>(ui_->fileGroup), static_cast<QWidget*>(ui_->rateGroup),
          static_cast<QWidget*>(ui_->rangeGroup), static_cast<QWidget*>(ui_->limitGroup)})
        control->setEnabled(enables.settings);
    EnableRateEdit();
}

void CDirectCaptureDlg::EnableRateEdit() {
    ui_->frameRate->setEnabled(settingsEnabled_ && ui_->frameRateUse->isChecked());
}

void CDirectCaptureDlg::reject() {
    if (!logic_->Close()) return; // a capture or transfer runs
    timer_->stop();
    closed_ = true;
    QDialog::reject();
}

void CDirectCaptureDlg::showEvent(QShowEvent* event) {
    if (closed_) {
        closed_ = false;
        logic_->Open();
        timer_->start(kTickMs);
    }
    QDialog::showEvent(event);
}

void CDirectCaptureDlg::closeEvent(QCloseEvent* event) {
    if (logic_->IsRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event); // through reject()
}
