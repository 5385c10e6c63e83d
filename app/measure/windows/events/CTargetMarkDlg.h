#pragma once

#include "TargetMarksControls.h"

#include <QDialog>
#include <memory>

class TargetMarksLogic;
namespace Ui {
class CTargetMarkDlg;
}

// The target marks window "设置目标标记": shows the colour, line style and
// name of the selected target of its logic and passes every choice on.
// Deletes itself on close.
class CTargetMarkDlg : public QDialog, public TargetMarksControls {
    Q_OBJECT

public:
    CTargetMarkDlg(TargetMarksLogic& logic, QWidget* parent = nullptr);
    ~CTargetMarkDlg() override;

    // Shows the window and waits until it closes; meanwhile only this
    // window and `imageView` take input. 1 when closed with 确定, else 0.
    int ChooseTargetMarks(QWidget* imageView);

    void ShowChoices(const std::vector<std::string>& colours,
                     const std::vector<std::string>& styles,
                     const std::vector<std::string>& targets) override;
    void ShowTarget(int target, int colour, int style, const std::string& name) override;

    void accept() override;

private:
    void Connect();

    std::unique_ptr<Ui::CTargetMarkDlg> ui_;
    TargetMarksLogic& logic_;
    bool filling_ = false;
};
