#pragma once

#include "StickListControls.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class StickFigureWindow;
class StickListLogic;
struct ViewParts;
namespace Ui {
class StickListDlg;
}

// The dialog "连接线一览表": the frame list and its selection by range, the
// steps, magnification and background, "查看" that shows the display window
// "连接线一览", and "设置连接线" that runs the connection-line editor.
class StickListDlg : public QDialog, public StickListControls {
    Q_OBJECT

public:
    StickListDlg(StickListLogic& logic, ViewParts& view, QWidget* parent = nullptr);
    ~StickListDlg() override;

    void ReadListFields(StickListFields* fields) override;
    void WriteListFields(const StickListFields& fields) override;
    void SetFrameEntries(const std::vector<std::string>& entries) override;
    void EnableFigures(bool enable) override;
    void ShowFigures(const StickFigure& figure, const StickDrawing& drawing) override;

    // The display window once "查看" made it (null before).
    StickFigureWindow* FigureWindow() const;

private:
    StickListLogic& logic_;
    ViewParts& view_;
    std::unique_ptr<Ui::StickListDlg> ui_;
    QPointer<StickFigureWindow> figures_;
};
