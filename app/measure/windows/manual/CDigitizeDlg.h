#pragma once

#include "DigitizeControls.h"

#include <QDialog>
#include <memory>

class DigitizeLogic;
namespace Ui {
class CDigitizeDlg;
}

// The manual measurement window "轨迹测量": shows the texts of its logic and
// passes the buttons on. Made on demand; deletes itself on close.
class CDigitizeDlg : public QDialog, public DigitizeControls {
    Q_OBJECT

public:
    CDigitizeDlg(DigitizeLogic& logic, QWidget* parent = nullptr);
    ~CDigitizeDlg() override;

    void ReadFields(DigitizeFields* fields) override;
    void WriteTexts(const DigitizeTexts& texts) override;
    void EnableControls(DigitizeState state) override;

protected:
    bool event(QEvent* event) override;
    void reject() override;

private:
    void Connect();

    std::unique_ptr<Ui::CDigitizeDlg> ui_;
    DigitizeLogic& logic_;
};
