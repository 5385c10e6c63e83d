#pragma once

#include "GravityLogic.h"
#include "ToolWindow.h"

#include <QDialog>
#include <memory>
#include <vector>

class CDisplayServer;
class MeasureDocument;
class QCheckBox;
namespace Ui {
class CGravityDlg;
}

// The dialog "人体重心测量": the sex of the body model and the outputs to
// append; 确定 computes them for the open measurement.
class CGravityDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr ToolWindow kWindow = ToolWindow::Gravity;
    // The choices stay between openings.
    using Values = GravityChoices;

    CGravityDlg(Values& choices, MeasureDocument& document, CDisplayServer* display,
                QWidget* parent = nullptr);
    ~CGravityDlg() override;

private:
    void ReadControls();
    void Run();

    std::unique_ptr<Ui::CGravityDlg> ui_;
    std::vector<QCheckBox*> outputs_;
    GravityChoices& choices_;
    MeasureDocument& document_;
};
