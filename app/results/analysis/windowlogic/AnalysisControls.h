#pragma once

#include "AnalysisRange.h"

#include <string>
#include <vector>

// The values of the controls every analysis window has: frame range,
// units, smoothing, the selections of the target and item lists, the
// grouping, and "显示标记".
struct AnalysisFields {
    AnalysisRange range;
    bool showMarks = true;
};

// An analysis window as its logic sees it: the logic pulls the controls
// into its fields before it works and pushes them back afterwards.
class AnalysisControls {
public:
    AnalysisControls() = default;
    AnalysisControls(const AnalysisControls&) = delete;
    AnalysisControls& operator=(const AnalysisControls&) = delete;
    virtual ~AnalysisControls() = default;

    virtual void ReadControls(AnalysisFields* fields) = 0;
    virtual void WriteControls(const AnalysisFields& fields) = 0;
    // Refills the target list ("目标1", "目标2" ...).
    virtual void SetTargetEntries(const std::vector<std::string>& entries) = 0;
};
