#pragma once

#include "Progress.h"

#include <memory>

class CProgressDlg;
class QWidget;

// Progress shown by the dialog "处理中...": its bar, text line and stop
// button. Made for the length of one loop; the dialog goes with it, so the
// parent must outlive it.
class DialogProgress : public kova::Progress {
public:
    explicit DialogProgress(QWidget* parent = nullptr);
    ~DialogProgress() override;

    void Open(int maximum) override;
    void Step(int position, const std::string& text) override;
    bool Poll() override;
    void Close() override;

    CProgressDlg* Dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<CProgressDlg> dialog_;
};
