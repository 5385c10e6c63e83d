#pragma once

#include "AnalysisDialog.h"

#include <memory>

class PositionWindowLogic;
namespace Ui {
class PositionDlg;
}

// The position/velocity window "位置 / 速率": the shared controls only.
class PositionDlg : public AnalysisDialog<AnalysisControls> {
    Q_OBJECT

public:
    PositionDlg(PositionWindowLogic& logic, QWidget* parent = nullptr);
    ~PositionDlg() override;

private:
    std::unique_ptr<Ui::PositionDlg> ui_;
};
