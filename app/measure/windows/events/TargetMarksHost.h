#pragma once

#include "TargetMarksLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The target marks window "设置目标标记" of a view, opened by the "设置目标"
// buttons of the analysis windows and waited for.
class TargetMarksHost : public ToolWindowHost {
public:
    explicit TargetMarksHost(ViewParts& view);
    ~TargetMarksHost() override;

    // Opens the window and waits until it closes: 1 after 确定, 0 otherwise
    // (also when it is open already).
    int ChooseTargetMarks();

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    TargetMarksLogic logic_;
};
