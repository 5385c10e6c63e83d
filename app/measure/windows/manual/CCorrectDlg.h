#pragma once

#include "CorrectControls.h"

#include <QDialog>
#include <memory>

class CorrectLogic;
namespace Ui {
class CCorrectDlg;
}

// The manual correction window "手动修正": the target and zoom combos and
// the edit buttons over its logic. Made on demand; deletes itself on close.
class CCorrectDlg : public QDialog, public CorrectControls {
    Q_OBJECT

public:
    CCorrectDlg(CorrectLogic& logic, QWidget* parent = nullptr);
    ~CCorrectDlg() override;

    void SetTargets(int count, int selected) override;
    void SetEditing(bool editing) override;
    void EnableEdit(bool enabled) override;

protected:
    bool event(QEvent* event) override;

private:
    void Connect();

    std::unique_ptr<Ui::CCorrectDlg> ui_;
    CorrectLogic& logic_;
};
