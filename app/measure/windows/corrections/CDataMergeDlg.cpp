#include "CDataMergeDlg.h"

#include "MeasureDocument.h"
#include "ui_CDataMergeDlg.h"

namespace {

// A number field; text that is no whole number reads as 0, which the
// merge's checks refuse.
int NumberOf(const QLineEdit* edit) {
    bool number = false;
    const int value = edit->text().trimmed().toInt(&number);
    return number ? value : 0;
}

} // namespace

CDataMergeDlg::CDataMergeDlg(Values& merge, MeasureDocument& document, CDisplayServer* /*display*/,
                             QWidget* parent)
    : QDialog(parent), ui_(new Ui::CDataMergeDlg), merge_(merge), document_(document) {
    ui_->setupUi(this);
    // At first the inputs are looked for in the data directory.
    if (merge_.directory.empty()) merge_.directory = document.Track().GetInitialDir();
    WriteControls();
    connect(ui_->chooseInput, &QPushButton::clicked, this, &CDataMergeDlg::ChooseInput);
    connect(ui_->run, &QPushButton::clicked, this, &CDataMergeDlg::Run);
    connect(ui_->cancel, &QPushButton::clicked, this, &CDataMergeDlg::reject);
}

CDataMergeDlg::~CDataMergeDlg() = default;

void CDataMergeDlg::ReadControls() {
    merge_.head = ui_->head->text().toStdString();
    merge_.startNumber = NumberOf(ui_->startNumber);
    merge_.endNumber = NumberOf(ui_->endNumber);
    merge_.mode = ui_->byTargets->isChecked() ? DataMerge::kByTargets : DataMerge::kByFrames;
}

void CDataMergeDlg::WriteControls() {
    ui_->head->setText(QString::fromStdString(merge_.head));
    ui_->startNumber->setText(QString::number(merge_.startNumber));
    ui_->endNumber->setText(QString::number(merge_.endNumber));
    (merge_.mode == DataMerge::kByTargets ? ui_->byTargets : ui_->byFrames)->setChecked(true);
}

void CDataMergeDlg::ChooseInput() {
    ReadControls();
    if (merge_.ChooseInput(document_.Prompter(), document_.Track())) WriteControls();
}

void CDataMergeDlg::Run() {
    ReadControls();
    if (merge_.Run(document_.Prompter()) != -1) accept();
}
