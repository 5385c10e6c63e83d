#pragma once

#include "EventsLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The scene events window "设定事项" of a view.
class EventsHost : public ToolWindowHost {
public:
    explicit EventsHost(ViewParts& view);
    ~EventsHost() override;

    EventsLogic& Logic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    EventsLogic logic_;
};
