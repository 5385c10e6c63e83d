#include "CInterpolateDlg.h"

#include "InterpolateLogic.h"
#include "MeasureDocument.h"
#include "ui_CInterpolateDlg.h"

CInterpolateDlg::CInterpolateDlg(Values& /*values*/, MeasureDocument& document,
                                 CDisplayServer* display, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CInterpolateDlg), document_(document), display_(display) {
    ui_->setupUi(this);
    for (const std::string& item : InterpolateLogic::TargetItems(document.Track().GetTargetCount()))
        ui_->targets->addItem(QString::fromStdString(item));
    ui_->targets->selectAll();
    for (const std::string& text : InterpolateLogic::LevelTexts())
        ui_->level->addItem(QString::fromStdString(text));
    ui_->level->setCurrentIndex(1);
    connect(ui_->toggle, &QPushButton::clicked, this, &CInterpolateDlg::ToggleSelection);
    connect(ui_->run, &QPushButton::clicked, this, &CInterpolateDlg::Run);
    connect(ui_->cancel, &QPushButton::clicked, this, &CInterpolateDlg::reject);
}

CInterpolateDlg::~CInterpolateDlg() = default;

void CInterpolateDlg::ToggleSelection() {
    if (selectAllNext_)
        ui_->targets->selectAll();
    else
        ui_->targets->clearSelection();
    selectAllNext_ = !selectAllNext_;
}

void CInterpolateDlg::Run() {
    std::vector<int> targets;
    for (int row = 0; row < ui_->targets->count(); ++row)
        if (ui_->targets->item(row)->isSelected()) targets.push_back(row);
    const int level = ui_->level->currentIndex() + 1;
    if (InterpolateLogic::Run(document_, targets, level, display_) != -1) accept();
}
