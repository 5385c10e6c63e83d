#pragma once

#include "Calibration2DLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The calibration window "2D 标定" of a view. Its logic keeps the values
// between openings; while the window is open it follows every mouse move,
// even when another tool holds the mouse.
class CalibrationHost : public ToolWindowHost {
public:
    explicit CalibrationHost(ViewParts& view);
    ~CalibrationHost() override;

    Calibration2DLogic& Logic() { return logic_; }
    bool PointerMoved(unsigned flags, const QPoint& point) override;

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    Calibration2DLogic logic_;
};
