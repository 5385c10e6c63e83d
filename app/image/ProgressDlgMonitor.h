#pragma once

#include "ProgressMonitor.h"

#include <memory>

class CProgressDlg;
class QWidget;

// The progress dialog "处理中..." as the loops of the image display use it.
// Made for the length of one loop: the dialog goes with the monitor.
class ProgressDlgMonitor : public ProgressMonitor {
public:
    explicit ProgressDlgMonitor(QWidget* parent = nullptr);
    ~ProgressDlgMonitor() override;

    void Open(int maximum) override;
    void Step(int position, const std::string& text) override;
    bool Poll() override;
    void Close() override;

    CProgressDlg* Dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<CProgressDlg> dialog_;
};
