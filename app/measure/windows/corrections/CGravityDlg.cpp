#include "CGravityDlg.h"

#include "MeasureDocument.h"
#include "ui_CGravityDlg.h"

#include <QCheckBox>

namespace {

// The outputs in columns of this many check boxes.
constexpr int kColumnRows = 6;

} // namespace

CGravityDlg::CGravityDlg(Values& choices, MeasureDocument& document, CDisplayServer* /*display*/,
                         QWidget* parent)
    : QDialog(parent), ui_(new Ui::CGravityDlg), choices_(choices), document_(document) {
    ui_->setupUi(this);
    (choices_.sex == 1 ? ui_->female : ui_->male)->setChecked(true);
    const std::vector<std::string>& labels = GravityLogic::OutputLabels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* box = new QCheckBox(QString::fromStdString(labels[i]), ui_->outputs);
        box->setChecked(choices_.outputs[i]);
        const int index = static_cast<int>(i);
        ui_->outputGrid->addWidget(box, index % kColumnRows, index / kColumnRows);
        outputs_.push_back(box);
    }
    connect(ui_->ok, &QPushButton::clicked, this, &CGravityDlg::Run);
    connect(ui_->cancel, &QPushButton::clicked, this, &CGravityDlg::reject);
}

CGravityDlg::~CGravityDlg() = default;

void CGravityDlg::ReadControls() {
    choices_.sex = ui_->female->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < outputs_.size(); ++i)
        choices_.outputs[i] = outputs_[i]->isChecked();
}

void CGravityDlg::Run() {
    ReadControls();
    if (!GravityLogic::CheckChoices(choices_, document_.Prompter())) return;
    GravityLogic::Run(choices_, document_);
    accept();
}
