#pragma once

#include "AnalysisWindowHost.h"
#include "DisplacementDlg.h"
#include "DisplacementWindowLogic.h"

// The window "偏移量" of a view.
class DisplacementHost : public AnalysisWindowHost<DisplacementWindowLogic, DisplacementDlg> {
public:
    explicit DisplacementHost(ViewParts& view);
};
