#pragma once

#include "AnalysisDialog.h"
#include "AngleControls.h"

#include <array>
#include <memory>

class AngleWindowLogic;
class QComboBox;
class QRadioButton;
namespace Ui {
class AngleDlg;
}

// The angle window "2 线间夹角": the shared controls, the mode, the points
// P1..P4 and the side of the angle.
class AngleDlg : public AnalysisDialog<AngleControls> {
    Q_OBJECT

public:
    AngleDlg(AngleWindowLogic& logic, QWidget* parent = nullptr);
    ~AngleDlg() override;

    void ReadAngle(AngleFields* fields) override;
    void WriteAngle(const AngleFields& fields) override;
    void EnablePicks(int selectors, bool otherSide) override;

private:
    std::unique_ptr<Ui::AngleDlg> ui_;
    std::array<QRadioButton*, 4> modes_;
    std::array<QComboBox*, 4> points_;
};
