#pragma once

#include "CorrectLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The manual correction window "手动修正" of a view.
class CorrectHost : public ToolWindowHost {
public:
    explicit CorrectHost(ViewParts& view);
    ~CorrectHost() override;

    CorrectLogic& Logic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    // Zooms the view to `percent` (as far as the view zooms) and scrolls the
    // image point `centre` to the middle.
    void ZoomAround(int percent, QPoint centre);

    ViewParts& view_;
    CorrectLogic logic_;
};
