#pragma once

#include "ReplayControls.h"

#include <QDialog>
#include <memory>

class ReplayLogic;
class VideoPanel;
struct ViewParts;
namespace Ui {
class ResultVideoDlg;
}

// The window "结果视频显示": shows the fields of its logic, passes each
// button and changed setting on, and owns the video control panel. Made on
// demand; deletes itself on close.
class ResultVideoDlg : public QDialog, public ReplayControls {
    Q_OBJECT

public:
    ResultVideoDlg(ReplayLogic& logic, ViewParts& view, QWidget* parent = nullptr);
    ~ResultVideoDlg() override;

    void ReadControls(ReplayFields* fields) override;
    void WriteControls(const ReplayFields& fields) override;
    void SetEntries(const std::vector<std::string>& frames,
                    const std::vector<std::string>& targets) override;
    void Enable(const ReplayEnabling& enabling) override;

    VideoPanel& Panel() { return *panel_; }

protected:
    bool event(QEvent* event) override;

private:
    void Connect();
    void ConnectSettings();
    // A setting the user changed (not one the logic wrote).
    void Changed();

    std::unique_ptr<Ui::ResultVideoDlg> ui_;
    ReplayLogic& logic_;
    ViewParts& view_;
    std::unique_ptr<VideoPanel> panel_;
    bool writing_ = false;
};
