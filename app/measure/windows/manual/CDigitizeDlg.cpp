#include "CDigitizeDlg.h"

#include "DigitizeLogic.h"
#include "ui_CDigitizeDlg.h"

#include <QSignalBlocker>
#include <initializer_list>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CDigitizeDlg::CDigitizeDlg(DigitizeLogic& logic, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CDigitizeDlg), logic_(logic) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    Connect();
    logic_.SetControls(this);
    logic_.InitWindow();
}

CDigitizeDlg::~CDigitizeDlg() {
    logic_.Destroyed();
}

void CDigitizeDlg::Connect() {
    connect(ui_->toFirst, &QPushButton::clicked, this, [this] { logic_.FirstImage(); });
    connect(ui_->toLast, &QPushButton::clicked, this, [this] { logic_.LastImage(); });
    connect(ui_->frame, &QSpinBox::valueChanged, this, [this](int n) { logic_.ShowImage(n); });
    connect(ui_->chooseResult, &QPushButton::clicked, this, [this] { logic_.ChooseResultFile(); });
    connect(ui_->execute, &QPushButton::clicked, this, [this] { logic_.Execute(); });
    connect(ui_->stop, &QPushButton::clicked, this, [this] { logic_.Stop(); });
    connect(ui_->previousFrame, &QPushButton::clicked, this, [this] { logic_.PreviousFrame(); });
    connect(ui_->nextFrame, &QPushButton::clicked, this, [this] { logic_.NextFrame(); });
    connect(ui_->previousTarget, &QPushButton::clicked, this, [this] { logic_.PreviousTarget(); });
    connect(ui_->nextTarget, &QPushButton::clicked, this, [this] { logic_.NextTarget(); });
    connect(ui_->closeButton, &QPushButton::clicked, this, &CDigitizeDlg::close);
}

void CDigitizeDlg::ReadFields(DigitizeFields* fields) {
    fields->order = ui_->targetOrder->isChecked() ? 1 : 0;
    fields->targetCount = ui_->targetCount->text().trimmed().toStdString();
}

void CDigitizeDlg::WriteTexts(const DigitizeTexts& texts) {
    ui_->imagePath->setText(Utf8(texts.imagePath));
    ui_->firstFile->setText(Utf8(texts.firstFile));
    ui_->lastFile->setText(Utf8(texts.lastFile));
    ui_->resultPath->setText(Utf8(texts.resultPath));
    ui_->status->setText(Utf8(texts.status));
    // Showing the frame is the logic's: the spin only follows it here.
    const QSignalBlocker quiet(ui_->frame);
    ui_->frame->setMaximum(texts.frameCount);
    ui_->frame->setValue(texts.frame);
}

void CDigitizeDlg::EnableControls(DigitizeState state) {
    const bool input = state == DigitizeState::Input;
    const bool idle = state == DigitizeState::Idle;
    const std::initializer_list<QWidget*> navigation = {
        ui_->stop, ui_->previousFrame, ui_->nextFrame, ui_->previousTarget, ui_->nextTarget};
    for (QWidget* control : navigation)
        control->setEnabled(input);
    const std::initializer_list<QWidget*> setup = {
        ui_->execute,    ui_->toFirst,     ui_->toLast,     ui_->frame,
        ui_->frameOrder, ui_->targetOrder, ui_->targetCount};
    for (QWidget* control : setup)
        control->setEnabled(idle);
    ui_->chooseResult->setEnabled(!input);
    ui_->closeButton->setEnabled(!input);
}

bool CDigitizeDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Enter)
        logic_.TakeMouse();
    return QDialog::event(event);
}

void CDigitizeDlg::reject() {
    // The close box, Escape and 关闭 end here: an unsaved table is given up
    // only on the user's word.
    if (logic_.CanClose()) QDialog::reject();
}
