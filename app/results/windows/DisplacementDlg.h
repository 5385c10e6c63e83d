#pragma once

#include "AnalysisDialog.h"
#include "DisplacementControls.h"

#include <memory>

class DisplacementWindowLogic;
namespace Ui {
class DisplacementDlg;
}

// The displacement window "偏移量": the shared controls and the reference.
class DisplacementDlg : public AnalysisDialog<DisplacementControls> {
    Q_OBJECT

public:
    DisplacementDlg(DisplacementWindowLogic& logic, QWidget* parent = nullptr);
    ~DisplacementDlg() override;

    void ReadReference(DisplacementFields* fields) override;
    void WriteReference(const DisplacementFields& fields) override;

private:
    std::unique_ptr<Ui::DisplacementDlg> ui_;
};
