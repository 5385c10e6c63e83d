#include "DialogProgress.h"

#include "CProgressDlg.h"

DialogProgress::DialogProgress(QWidget* parent) : dialog_(std::make_unique<CProgressDlg>(parent)) {}

DialogProgress::~DialogProgress() = default;

void DialogProgress::Open(int maximum) {
    dialog_->SetMax(maximum);
    dialog_->SetPos(0);
    dialog_->SetText(QString());
    dialog_->EnableCancel(true);
    dialog_->Create();
}

void DialogProgress::Step(int position, const std::string& text) {
    dialog_->SetPos(position);
    dialog_->SetText(QString::fromStdString(text));
}

bool DialogProgress::Poll() {
    return dialog_->Poll();
}

void DialogProgress::Close() {
    dialog_->Close();
}
