#pragma once

#include "ToolWindowHost.h"

struct ViewParts;

// The pixel value window "像素值" of a view: follows the mouse over the
// image without taking the move from the other tools.
class PixelValueHost : public ToolWindowHost {
public:
    explicit PixelValueHost(ViewParts& view);

    bool PointerMoved(unsigned flags, const QPoint& point) override;

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
};
