#pragma once

#include "AnalysisWindowHost.h"
#include "AngleDlg.h"
#include "AngleWindowLogic.h"

// The window "2 线间夹角" of a view.
class AngleHost : public AnalysisWindowHost<AngleWindowLogic, AngleDlg> {
public:
    explicit AngleHost(ViewParts& view);
};
