#include "CImageFileDlg.h"

#include "CFrameStore.h"
#include "ui_CImageFileDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr int kProgressMs = 10;

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CImageFileDlg::CImageFileDlg(kova::CFrameStore& store, kova::Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CImageFileDlg), store_(store), logic_(store, prompter) {
    ui_->setupUi(this);
    setModal(false);
    ui_->stop->setEnabled(false);
    timer_.setInterval(kProgressMs);
    Connect();
    logic_.SetEventPump([] { QCoreApplication::processEvents(); });
    logic_.SetControls(this);
    WriteControls(logic_.Fields());
}

CImageFileDlg::~CImageFileDlg() {
    logic_.SetControls(nullptr);
    logic_.SetEventPump(nullptr);
}

void CImageFileDlg::Connect() {
    connect(ui_->browse, &QPushButton::clicked, this, [this] { logic_.Browse(); });
    connect(ui_->run, &QPushButton::clicked, this, [this] { logic_.Run(); });
    connect(ui_->stop, &QPushButton::clicked, this, [this] { logic_.Stop(); });
    connect(ui_->close, &QPushButton::clicked, this, &CImageFileDlg::reject);
    connect(&timer_, &QTimer::timeout, this, &CImageFileDlg::ShowProgress);
}

void CImageFileDlg::ReadControls(ImageFileFields* fields) {
    if (ui_->save->isChecked()) {
        fields->operation = ImageFileOperation::Save;
    } else if (ui_->remove->isChecked()) {
        fields->operation = ImageFileOperation::Delete;
    } else if (ui_->information->isChecked()) {
        fields->operation = ImageFileOperation::Information;
    } else {
        fields->operation = ImageFileOperation::Load;
    }
    fields->file1 = ui_->file1->text().toStdString();
    fields->file2 = ui_->file2->text().toStdString();
    fields->continuous = ui_->continuous->isChecked();
    fields->withinWindow = ui_->withinWindow->isChecked();
    fields->startX = ui_->startX->value();
    fields->startY = ui_->startY->value();
    fields->startFrame = ui_->startFrame->value();
    fields->endFrame = ui_->endFrame->value();
    fields->fieldUnit = ui_->fieldUnit->isChecked();
    fields->evenFieldFirst = ui_->evenFirst->isChecked();
    fields->interval = ui_->interval->value();
}

void CImageFileDlg::WriteControls(const ImageFileFields& fields) {
    QRadioButton* operations[] = {ui_->load, ui_->save, ui_->remove, ui_->information};
    operations[static_cast<int>(fields.operation)]->setChecked(true);
    ui_->file1->setText(Utf8(fields.file1));
    ui_->file2->setText(Utf8(fields.file2));
    ui_->directory->setText(Utf8(fields.directory));
    ui_->continuous->setChecked(fields.continuous);
    ui_->withinWindow->setChecked(fields.withinWindow);
    ui_->startX->setValue(fields.startX);
    ui_->startY->setValue(fields.startY);
    ui_->startFrame->setValue(fields.startFrame);
    ui_->endFrame->setValue(fields.endFrame);
    (fields.fieldUnit ? ui_->fieldUnit : ui_->frameUnit)->setChecked(true);
    (fields.evenFieldFirst ? ui_->evenFirst : ui_->oddFirst)->setChecked(true);
    ui_->interval->setValue(fields.interval);
}

void CImageFileDlg::SetRunning(bool running) {
    ui_->run->setEnabled(!running);
    ui_->close->setEnabled(!running);
    ui_->stop->setEnabled(running);
    if (running) {
        ui_->progress->setRange(0, std::max(1, logic_.ProgressRange()));
        ui_->progress->setValue(0);
        timer_.start();
    } else {
        timer_.stop();
        ui_->progress->setValue(0);
    }
}

void CImageFileDlg::ShowProgress() {
    const int position = store_.Get_progress_pos();
    if (position >= 0) ui_->progress->setValue(std::min(position, ui_->progress->maximum()));
}

void CImageFileDlg::reject() {
    if (logic_.IsRunning()) return; // the loop must end first
    QDialog::reject();
}

void CImageFileDlg::closeEvent(QCloseEvent* event) {
    if (logic_.IsRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
