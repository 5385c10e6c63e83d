#pragma once

#include "CoordTransformLogic.h"
#include "ToolWindow.h"

#include <QDialog>
#include <memory>

class CDisplayServer;
class MeasureDocument;
namespace Ui {
class CCoordTransformDlg;
}

// The dialog "坐标变换": reference position and reference axis, each with
// its targets, and the reference frame; 确认 transforms the open
// measurement and closes the dialog unless the input was refused.
class CCoordTransformDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr ToolWindow kWindow = ToolWindow::CoordTransform;
    // The check boxes and the reference frame stay between openings.
    using Values = CoordTransformLogic;

    CCoordTransformDlg(Values& logic, MeasureDocument& document, CDisplayServer* display,
                       QWidget* parent = nullptr);
    ~CCoordTransformDlg() override;

private:
    void ReadControls();
    void EnableControls();
    void Run();

    std::unique_ptr<Ui::CCoordTransformDlg> ui_;
    CoordTransformLogic& logic_;
    MeasureDocument& document_;
    CDisplayServer* display_;
};
