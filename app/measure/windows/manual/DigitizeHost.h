#pragma once

#include "DigitizeLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The manual measurement window "轨迹测量" of a view. Its logic keeps the
// result path, and a table whose save failed, between openings.
class DigitizeHost : public ToolWindowHost {
public:
    explicit DigitizeHost(ViewParts& view);
    ~DigitizeHost() override;

    DigitizeLogic& Logic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    DigitizeLogic logic_;
};
