#pragma once

#include "AnalysisControls.h"

#include <string>
#include <vector>

// The values of the two-point distance window's pair controls: the two
// target selectors (-1 none chosen), the colour and line style selectors
// for the next pair, and the pair selected in the list (-1 none).
struct DistanceFields {
    int first = -1;
    int second = -1;
    int colour = 0;
    int style = 0;
    int selectedPair = -1;
};

// The two-point distance window "2点间距离" as its logic sees it.
class DistanceControls : public AnalysisControls {
public:
    virtual void ReadPairs(DistanceFields* fields) = 0;
    virtual void WritePairs(const DistanceFields& fields) = 0;
    // Refills the pair list ("目标1 - 目标2 红 实线" ...).
    virtual void SetPairEntries(const std::vector<std::string>& entries) = 0;
};
