#pragma once

#include "AnalysisDialog.h"
#include "DistanceControls.h"

#include <memory>

class DistanceWindowLogic;
namespace Ui {
class DistanceDlg;
}

// The two-point distance window "2点间距离": the shared controls and the
// pair list with its selectors.
class DistanceDlg : public AnalysisDialog<DistanceControls> {
    Q_OBJECT

public:
    DistanceDlg(DistanceWindowLogic& logic, QWidget* parent = nullptr);
    ~DistanceDlg() override;

    void ReadPairs(DistanceFields* fields) override;
    void WritePairs(const DistanceFields& fields) override;
    void SetPairEntries(const std::vector<std::string>& entries) override;

private:
    std::unique_ptr<Ui::DistanceDlg> ui_;
};
