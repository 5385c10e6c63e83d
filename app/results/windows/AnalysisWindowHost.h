#pragma once

#include "AnalysisResultWindows.h"
#include "AppContext.h"
#include "MeasureDocument.h"
#include "ToolWindowHost.h"
#include "ViewParts.h"

// The host of an analysis window of a view: owns the window's logic and its
// text and chart windows, and makes the dialog `Dialog` over `Logic`.
template <typename Logic, typename Dialog> class AnalysisWindowHost : public ToolWindowHost {
public:
    AnalysisWindowHost(ViewParts& view, ToolWindow kind)
        : ToolWindowHost(kind), view_(view), results_(view.app.prompter),
          logic_(view.measure, view.display, results_) {}
    // The dialog tells the logic it goes: it must go first.
    ~AnalysisWindowHost() override { delete Window(); }

    Logic& WindowLogic() { return logic_; }

protected:
    QWidget* Create() override {
        auto* dialog = new Dialog(logic_, &view_.view);
        dialog->setWindowFlag(Qt::Tool);
        results_.SetParent(dialog);
        logic_.SetControls(dialog);
        logic_.InitWindow();
        return dialog;
    }

private:
    ViewParts& view_;
    AnalysisResultWindows results_;
    Logic logic_;
};
