#pragma once

#include "ToolWindow.h"

#include <QDialog>
#include <memory>

class CDisplayServer;
class MeasureDocument;
namespace Ui {
class CInterpolateDlg;
}

// The dialog "内插补间": the targets to fill and the error level; 执行 runs
// the interpolation of the open measurement and closes the dialog.
class CInterpolateDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr ToolWindow kWindow = ToolWindow::Interpolate;
    struct Values {}; // nothing is kept between openings

    CInterpolateDlg(Values& values, MeasureDocument& document, CDisplayServer* display,
                    QWidget* parent = nullptr);
    ~CInterpolateDlg() override;

private:
    void ToggleSelection();
    void Run();

    std::unique_ptr<Ui::CInterpolateDlg> ui_;
    MeasureDocument& document_;
    CDisplayServer* display_;
    bool selectAllNext_ = false; // the first press deselects all
};
