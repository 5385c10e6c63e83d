#pragma once

#include "ReplayLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The window "结果视频显示" of a view. Its logic keeps the settings between
// openings, and the view's commands stop its replay before they act.
class ResultVideoHost : public ToolWindowHost {
public:
    explicit ResultVideoHost(ViewParts& view);
    ~ResultVideoHost() override;

    ReplayLogic& Logic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    ReplayLogic logic_;
};
