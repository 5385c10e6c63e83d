#pragma once

#include "AnalysisWindowHost.h"
#include "DistanceDlg.h"
#include "DistanceWindowLogic.h"

// The window "2点间距离" of a view.
class DistanceHost : public AnalysisWindowHost<DistanceWindowLogic, DistanceDlg> {
public:
    explicit DistanceHost(ViewParts& view);
};
