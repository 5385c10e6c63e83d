#pragma once

#include "CalibrationControls.h"

#include <QDialog>
#include <memory>

class Calibration2DLogic;
namespace Ui {
class CCalibration2DDlg;
}

// The window of the calibration dialog "2D 标定": shows the fields of its
// logic and passes the buttons on. Made on demand; deletes itself on close.
class CCalibration2DDlg : public QDialog, public CalibrationControls {
    Q_OBJECT

public:
    CCalibration2DDlg(Calibration2DLogic& logic, QWidget* parent = nullptr);
    ~CCalibration2DDlg() override;

    void ReadControls(CalibrationFields* fields) override;
    void WriteControls(const CalibrationFields& fields) override;
    void EnableControls(CalibrationMouseMode mode) override;
    void SetCornerButtonText(const std::string& text) override;

    void accept() override;

protected:
    bool event(QEvent* event) override;

private:
    void Connect();

    std::unique_ptr<Ui::CCalibration2DDlg> ui_;
    Calibration2DLogic& logic_;
};
