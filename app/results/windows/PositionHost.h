#pragma once

#include "AnalysisWindowHost.h"
#include "PositionDlg.h"
#include "PositionWindowLogic.h"

// The window "位置 / 速率" of a view.
class PositionHost : public AnalysisWindowHost<PositionWindowLogic, PositionDlg> {
public:
    explicit PositionHost(ViewParts& view);
};
