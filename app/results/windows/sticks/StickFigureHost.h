#pragma once

#include "StickListLogic.h"
#include "ToolWindowHost.h"

struct ViewParts;

// The stick-figure list "连接线一览表" of a view (command 连接线图一览).
class StickFigureHost : public ToolWindowHost {
public:
    explicit StickFigureHost(ViewParts& view);
    // The dialog tells the logic it goes: it must go first.
    ~StickFigureHost() override;

    StickListLogic& WindowLogic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    ViewParts& view_;
    StickListLogic logic_;
};
