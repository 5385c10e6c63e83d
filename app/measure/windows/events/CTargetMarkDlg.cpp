#include "CTargetMarkDlg.h"

#include "ExclusiveInput.h"
#include "TargetMarksLogic.h"
#include "ui_CTargetMarkDlg.h"

#include <QEventLoop>
#include <QPointer>

namespace {

void Fill(QComboBox* box, const std::vector<std::string>& entries) {
    box->clear();
    for (const std::string& entry : entries)
        box->addItem(QString::fromStdString(entry));
}

} // namespace

CTargetMarkDlg::CTargetMarkDlg(TargetMarksLogic& logic, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CTargetMarkDlg), logic_(logic) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    Connect();
    logic_.Opened(this);
}

CTargetMarkDlg::~CTargetMarkDlg() {
    logic_.Destroyed();
}

void CTargetMarkDlg::Connect() {
    connect(ui_->targets, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) logic_.SelectTarget(row);
    });
    connect(ui_->colour, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { logic_.SetColour(index); });
    connect(ui_->style, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { logic_.SetStyle(index); });
    connect(ui_->name, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetName(text.toStdString()); });
    connect(ui_->oneColour, &QPushButton::clicked, this, [this] { logic_.InitialiseOneColour(); });
    connect(ui_->automatic, &QPushButton::clicked, this, [this] { logic_.InitialiseAutomatic(); });
    connect(ui_->ok, &QPushButton::clicked, this, &CTargetMarkDlg::accept);
    connect(ui_->cancel, &QPushButton::clicked, this, &CTargetMarkDlg::reject);
}

int CTargetMarkDlg::ChooseTargetMarks(QWidget* imageView) {
    int result = 0;
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, [&result, &loop](int code) {
        result = code == QDialog::Accepted ? 1 : 0;
        loop.quit();
    });
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    const ExclusiveInput exclusive({QPointer<QWidget>(this), QPointer<QWidget>(imageView)});
    show();
    raise();
    activateWindow();
    loop.exec();
    return result;
}

void CTargetMarkDlg::ShowChoices(const std::vector<std::string>& colours,
                                 const std::vector<std::string>& styles,
                                 const std::vector<std::string>& targets) {
    filling_ = true;
    Fill(ui_->colour, colours);
    Fill(ui_->style, styles);
    ui_->targets->clear();
    for (const std::string& target : targets)
        ui_->targets->addItem(QString::fromStdString(target));
    const bool any = !targets.empty();
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->targets), static_cast<QWidget*>(ui_->colour),
          static_cast<QWidget*>(ui_->style), static_cast<QWidget*>(ui_->name),
          static_cast<QWidget*>(ui_->oneColour), static_cast<QWidget*>(ui_->automatic),
          static_cast<QWidget*>(ui_->ok)})
        control->setEnabled(any);
    filling_ = false;
}

void CTargetMarkDlg::ShowTarget(int target, int colour, int style, const std::string& name) {
    filling_ = true;
    ui_->targets->setCurrentRow(target);
    ui_->colour->setCurrentIndex(colour);
    ui_->style->setCurrentIndex(style);
    ui_->name->setText(QString::fromStdString(name));
    filling_ = false;
}

void CTargetMarkDlg::accept() {
    logic_.Accept();
    QDialog::accept(); // closes, and so deletes, the window
}
