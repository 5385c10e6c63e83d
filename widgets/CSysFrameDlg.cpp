#include "CSysFrameDlg.h"

#include "CFrameStore.h"
#include "ui_CSysFrameDlg.h"

#include <QSettings>

CSysFrameDlg::CSysFrameDlg(kova::CFrameStore& store, QSettings& settings, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CSysFrameDlg), store_(store), settings_(settings) {
    ui_->setupUi(this);
    ui_->greyFrames->setMaximum(FrameStoreSettings::kMaxFrames);
    ui_->colorFrames->setMaximum(FrameStoreSettings::kMaxFrames);
    SetValues(FrameStoreSettings::From(store));
}

CSysFrameDlg::~CSysFrameDlg() = default;

FrameStoreSettings CSysFrameDlg::Values() const {
    FrameStoreSettings values;
    values.greyFrames = ui_->greyFrames->value();
    values.colorFrames = ui_->colorFrames->value();
    values.directories[0] = ui_->imageDirectory->text().trimmed().toStdString();
    values.directories[1] = ui_->dataDirectory->text().trimmed().toStdString();
    values.directories[2] = ui_->programDirectory->text().trimmed().toStdString();
    return values;
}

void CSysFrameDlg::SetValues(const FrameStoreSettings& values) {
    ui_->greyFrames->setValue(values.greyFrames);
    ui_->colorFrames->setValue(values.colorFrames);
    ui_->imageDirectory->setText(QString::fromStdString(values.directories[0]));
    ui_->dataDirectory->setText(QString::fromStdString(values.directories[1]));
    ui_->programDirectory->setText(QString::fromStdString(values.directories[2]));
}

void CSysFrameDlg::accept() {
    const FrameStoreSettings values = Values();
    if (values.Apply(store_)) values.Save(settings_);
    QDialog::accept();
}
