#include "CCorrectDlg.h"

#include "CorrectLogic.h"
#include "ui_CCorrectDlg.h"

#include <QSignalBlocker>

CCorrectDlg::CCorrectDlg(CorrectLogic& logic, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CCorrectDlg), logic_(logic) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    Connect();
    logic_.SetControls(this);
    logic_.InitWindow();
}

CCorrectDlg::~CCorrectDlg() {
    logic_.Destroyed();
}

void CCorrectDlg::Connect() {
    connect(ui_->target, &QComboBox::activated, this,
            [this](int index) { logic_.SelectTarget(index); });
    connect(ui_->zoom, &QComboBox::activated, this,
            [this](int index) { logic_.SetZoomChoice(index); });
    connect(ui_->moveTarget, &QPushButton::clicked, this, [this] { logic_.MoveTarget(); });
    connect(ui_->edit, &QPushButton::clicked, this, [this] { logic_.EditOrConfirm(); });
    connect(ui_->cancel, &QPushButton::clicked, this, [this] { logic_.Cancel(); });
    connect(ui_->closeButton, &QPushButton::clicked, this, &CCorrectDlg::close);
}

void CCorrectDlg::SetTargets(int count, int selected) {
    const QSignalBlocker quiet(ui_->target);
    ui_->target->clear();
    for (int i = 1; i <= count; ++i)
        ui_->target->addItem(QStringLiteral("目标%1").arg(i));
    ui_->target->setCurrentIndex(selected);
}

void CCorrectDlg::SetEditing(bool editing) {
    ui_->edit->setText(editing ? QStringLiteral("确定") : QStringLiteral("修正"));
    ui_->edit->setAccessibleName(ui_->edit->text());
    ui_->target->setEnabled(!editing);
    ui_->cancel->setEnabled(editing);
}

void CCorrectDlg::EnableEdit(bool enabled) {
    ui_->edit->setEnabled(enabled);
}

bool CCorrectDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Enter)
        logic_.TakeMouse();
    return QDialog::event(event);
}
