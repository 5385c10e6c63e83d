#pragma once

#include "CVideoCtrlDlg.h"
#include "CVideoCtrlDlgClient.h"
#include "ReplayPanel.h"

#include <QPointer>

class QWidget;
class ReplayLogic;

// The video control panel of the result video: drives the panel for the
// logic and passes the panel's notices back to it.
class VideoPanel : public ReplayPanel, public CVideoCtrlDlgClient {
public:
    // The panel is a tool window of `parent` and goes with it.
    VideoPanel(ReplayLogic& logic, QWidget* parent);

    CVideoCtrlDlg* Dialog() const { return dialog_.data(); }

    void SetRange(const std::vector<int>& frames) override;
    void GoTo(int index) override;
    void Stop() override;
    void EnableButtons(bool enable) override;
    void SetDefaultRate(double framesPerSecond) override;
    void Close() override;

    bool OnVideoCtrlShow(int index, int frame) override;
    void OnVideoCtrlChange(int repaint) override;
    void OnVideoCtrlDestroy() override {}

private:
    ReplayLogic& logic_;
    QPointer<CVideoCtrlDlg> dialog_;
};
