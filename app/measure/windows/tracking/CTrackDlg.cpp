#include "CTrackDlg.h"

#include "CTrackParamDlg.h"
#include "TrackWindowLogic.h"
#include "ui_CTrackDlg.h"

#include <QMainWindow>
#include <QSignalBlocker>
#include <QStatusBar>
#include <algorithm>
#include <initializer_list>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

int FieldInt(const QLineEdit* field, int fallback) {
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

CTrackDlg::CTrackDlg(TrackWindowLogic& logic, kova::Prompter& prompter, bool colourDisplay,
                     std::function<void()> segment, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CTrackDlg), logic_(logic), prompter_(prompter),
      segment_(std::move(segment)) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->manualMode->hide(); // the user chooses between 半自动 and 自动
    Connect();
    logic_.SetControls(this);
    logic_.InitWindow(colourDisplay);
}

CTrackDlg::~CTrackDlg() {
    logic_.Destroyed();
}

void CTrackDlg::Connect() {
    connect(ui_->toFirst, &QPushButton::clicked, this, [this] { logic_.FirstImage(); });
    connect(ui_->toLast, &QPushButton::clicked, this, [this] { logic_.LastImage(); });
    connect(ui_->frame, &QSpinBox::valueChanged, this, [this](int n) { logic_.ShowImage(n); });
    connect(ui_->chooseResult, &QPushButton::clicked, this, [this] { logic_.ChooseResultFile(); });
    connect(ui_->manualSetting, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic_.SetTargetSetting(0);
    });
    connect(ui_->autoSetting, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic_.SetTargetSetting(1);
    });
    connect(ui_->greyType, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic_.SetImageType(0);
    });
    connect(ui_->colourType, &QRadioButton::toggled, this, [this](bool on) {
        if (on) logic_.SetImageType(1);
    });
    connect(ui_->pickup, &QPushButton::clicked, this, [this] { logic_.Pickup(); });
    connect(ui_->clearIds, &QPushButton::clicked, this, [this] { logic_.ClearTargets(); });
    connect(ui_->segment, &QPushButton::clicked, this, [this] {
        if (segment_ && !logic_.Running()) segment_();
    });
    connect(ui_->details, &QPushButton::clicked, this, &CTrackDlg::OpenDetails);
    connect(ui_->run, &QPushButton::clicked, this, [this] { logic_.Run(); });
    connect(ui_->stop, &QPushButton::clicked, this, [this] { logic_.Stop(); });
    connect(ui_->closeButton, &QPushButton::clicked, this, &CTrackDlg::close);
}

void CTrackDlg::OpenDetails() {
    if (logic_.Running()) return;
    CTrackParamDlg dialog(logic_.CurrentParams(), prompter_, this);
    if (dialog.exec() == QDialog::Accepted) logic_.ApplyParams(dialog.Params());
}

void CTrackDlg::ReadFields(TrackFields* f) {
    f->targetSetting = ui_->autoSetting->isChecked() ? 1 : 0;
    f->imageType = ui_->colourType->isChecked() ? 1 : 0;
    f->windowSize = ui_->windowFree->isChecked() ? 1 : 0;
    f->thresholds = ui_->thresholdFree->isChecked() ? 1 : 0;
    f->processType = ui_->autoMode->isChecked() ? 2 : ui_->semiMode->isChecked() ? 1 : 0;
    const QLineEdit* bands[6] = {ui_->redLow,    ui_->redHigh, ui_->greenLow,
                                 ui_->greenHigh, ui_->blueLow, ui_->blueHigh};
    for (int i = 0; i < 6; ++i)
        f->colour[i] = std::clamp(FieldInt(bands[i], f->colour[i]), 0, 255);
    f->grey[0] = std::clamp(FieldInt(ui_->greyLow, f->grey[0]), 0, 255);
    f->grey[1] = std::clamp(FieldInt(ui_->greyHigh, f->grey[1]), 0, 255);
    bool ok = false;
    const double percent = ui_->percent->text().trimmed().toDouble(&ok);
    if (ok) f->percent = std::clamp(percent, 0.0, 100.0);
}

void CTrackDlg::WriteFields(const TrackFields& f) {
    // The logic sets the radios: their signals would call it back.
    const QSignalBlocker quiet[] = {QSignalBlocker(ui_->manualSetting),
                                    QSignalBlocker(ui_->autoSetting), QSignalBlocker(ui_->greyType),
                                    QSignalBlocker(ui_->colourType)};
    (f.targetSetting == 1 ? ui_->autoSetting : ui_->manualSetting)->setChecked(true);
    (f.imageType == 1 ? ui_->colourType : ui_->greyType)->setChecked(true);
    (f.windowSize == 1 ? ui_->windowFree : ui_->windowFixed)->setChecked(true);
    (f.thresholds == 1 ? ui_->thresholdFree : ui_->thresholdFixed)->setChecked(true);
    QRadioButton* modes[3] = {ui_->manualMode, ui_->semiMode, ui_->autoMode};
    modes[std::clamp(f.processType, 0, 2)]->setChecked(true);
    QLineEdit* bands[6] = {ui_->redLow,    ui_->redHigh, ui_->greenLow,
                           ui_->greenHigh, ui_->blueLow, ui_->blueHigh};
    for (int i = 0; i < 6; ++i)
        bands[i]->setText(QString::number(f.colour[i]));
    ui_->greyLow->setText(QString::number(f.grey[0]));
    ui_->greyHigh->setText(QString::number(f.grey[1]));
    ui_->percent->setText(QString::number(f.percent, 'f', 1));
}

void CTrackDlg::WriteTexts(const TrackTexts& t) {
    ui_->imagePath->setText(Utf8(t.imagePath));
    ui_->firstFile->setText(Utf8(t.firstFile));
    ui_->lastFile->setText(Utf8(t.lastFile));
    ui_->resultPath->setText(Utf8(t.resultPath));
    ui_->idField->setText(QString::number(t.id));
    // Showing the frame is the logic's: the spin only follows it here.
    const QSignalBlocker quiet(ui_->frame);
    ui_->frame->setMaximum(t.frameCount);
    ui_->frame->setValue(t.frame);
}

void CTrackDlg::Enable(const TrackEnabling& e) {
    const std::initializer_list<QWidget*> idle = {
        ui_->toFirst,        ui_->toLast,   ui_->frame,    ui_->chooseResult, ui_->manualSetting,
        ui_->segment,        ui_->clearIds, ui_->greyType, ui_->colourType,   ui_->windowFixed,
        ui_->thresholdFixed, ui_->details,  ui_->semiMode, ui_->autoMode,     ui_->run,
        ui_->closeButton};
    for (QWidget* control : idle)
        control->setEnabled(e.idle);
    for (QWidget* control : {ui_->greyLow, ui_->greyHigh})
        control->setEnabled(e.grey);
    for (QWidget* control :
         {ui_->redLow, ui_->redHigh, ui_->greenLow, ui_->greenHigh, ui_->blueLow, ui_->blueHigh})
        control->setEnabled(e.colour);
    ui_->percent->setEnabled(e.percent);
    ui_->autoSetting->setEnabled(e.automaticSetting);
    ui_->pickup->setEnabled(e.pickup);
    ui_->windowFree->setEnabled(e.freePolicies);
    ui_->thresholdFree->setEnabled(e.freePolicies);
    ui_->stop->setEnabled(e.stop);
}

void CTrackDlg::ShowStatus(const std::string& text) {
    ui_->status->setText(Utf8(text));
    // The main frame's status bar says the same.
    QWidget* top = parentWidget() ? parentWidget()->window() : nullptr;
    if (auto* frame = qobject_cast<QMainWindow*>(top)) frame->statusBar()->showMessage(Utf8(text));
}

void CTrackDlg::reject() {
    // 关闭, the close box and Escape: ignored while a run goes on.
    if (logic_.CanClose()) QDialog::reject();
}
