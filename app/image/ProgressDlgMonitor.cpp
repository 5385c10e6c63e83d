#include "ProgressDlgMonitor.h"

#include "CProgressDlg.h"

ProgressDlgMonitor::ProgressDlgMonitor(QWidget* parent)
    : dialog_(std::make_unique<CProgressDlg>(parent)) {}

ProgressDlgMonitor::~ProgressDlgMonitor() = default;

void ProgressDlgMonitor::Open(int maximum) {
    dialog_->SetMax(maximum);
    dialog_->SetPos(0);
    dialog_->SetText(QString());
    dialog_->EnableCancel(true);
    dialog_->Create();
}

void ProgressDlgMonitor::Step(int position, const std::string& text) {
    dialog_->SetPos(position);
    dialog_->SetText(QString::fromStdString(text));
}

bool ProgressDlgMonitor::Poll() {
    return dialog_->Poll();
}

void ProgressDlgMonitor::Close() {
    dialog_->Close();
}
