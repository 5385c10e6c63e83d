#include "PositionDlg.h"

#include "PositionAnalysis.h"
#include "PositionWindowLogic.h"
#include "ui_PositionDlg.h"

PositionDlg::PositionDlg(PositionWindowLogic& logic, QWidget* parent)
    : AnalysisDialog(logic, parent), ui_(new Ui::PositionDlg) {
    ui_->setupUi(this);
    Bind(ItemNames<PositionAnalysis>());
}

PositionDlg::~PositionDlg() = default;
