#include "VideoPanel.h"

#include "CVideoCtrlDlg.h"
#include "ReplayLogic.h"

VideoPanel::VideoPanel(ReplayLogic& logic, QWidget* parent)
    : logic_(logic), dialog_(new CVideoCtrlDlg(parent)) {
    dialog_->setWindowFlag(Qt::Tool);
}

void VideoPanel::SetRange(const std::vector<int>& frames) {
    if (!dialog_) return;
    // A panel the user or a data change closed comes back with new frames.
    if (dialog_->isHidden()) dialog_->Create(this);
    dialog_->SetRange(frames);
}

void VideoPanel::GoTo(int index) {
    if (dialog_) dialog_->OnDirect(index);
}

void VideoPanel::Stop() {
    if (dialog_) dialog_->OnStop();
}

void VideoPanel::EnableButtons(bool enable) {
    if (!dialog_) return;
    dialog_->EnableCtrlButton(enable);
    dialog_->EnableModeButton(enable);
}

void VideoPanel::SetDefaultRate(double framesPerSecond) {
    if (dialog_) dialog_->SetFrameRate(framesPerSecond);
}

void VideoPanel::Close() {
    if (dialog_) dialog_->Close();
}

bool VideoPanel::OnVideoCtrlShow(int index, int /*frame*/) {
    return logic_.ShowEntry(index);
}

void VideoPanel::OnVideoCtrlChange(int repaint) {
    logic_.PanelChanged(repaint);
}
