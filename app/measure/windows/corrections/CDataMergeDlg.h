#pragma once

#include "DataMerge.h"
#include "ToolWindow.h"

#include <QDialog>
#include <memory>

class CDisplayServer;
class MeasureDocument;
namespace Ui {
class CDataMergeDlg;
}

// The dialog "数据合并": the file name head, start and end numbers and the
// mode of a merge; 输入选择 takes them from two chosen files, 执行 merges
// and closes the dialog unless a check or the overwrite question stopped it.
class CDataMergeDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr ToolWindow kWindow = ToolWindow::DataMerge;
    // The fields and the directory stay between openings.
    using Values = DataMerge;

    CDataMergeDlg(Values& merge, MeasureDocument& document, CDisplayServer* display,
                  QWidget* parent = nullptr);
    ~CDataMergeDlg() override;

private:
    void ReadControls();
    void WriteControls();
    void ChooseInput();
    void Run();

    std::unique_ptr<Ui::CDataMergeDlg> ui_;
    DataMerge& merge_;
    MeasureDocument& document_;
};
