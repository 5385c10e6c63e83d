#pragma once

#include "AnalysisResultWindows.h"
#include "AppContext.h"
#include "MeasureDocument.h"
#include "TargetMarksHost.h"
#include "ToolWindowHost.h"
#include "ViewParts.h"

#include <QAbstractButton>

// The host of an analysis window of a view: owns the window's logic and its
// text and chart windows, and makes the dialog `Dialog` over `Logic`. Its
// "设置目标" opens the target marks window and waits for it.
template <typename Logic, typename Dialog> class AnalysisWindowHost : public ToolWindowHost {
public:
    AnalysisWindowHost(ViewParts& view, ToolWindow kind)
        : ToolWindowHost(kind), view_(view), results_(view.app.prompter),
          logic_(view.measure, view.display, results_), marks_(view) {}
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
        if (auto* button =
                dialog->template findChild<QAbstractButton*>(QStringLiteral("setTargets")))
            QObject::connect(button, &QAbstractButton::clicked, dialog, [this] {
                marks_.ChooseTargetMarks();
                logic_.Activate(); // the mouse and paint again
            });
        return dialog;
    }

private:
    ViewParts& view_;
    AnalysisResultWindows results_;
    Logic logic_;
    TargetMarksHost marks_;
};
