#pragma once

#include "AnalysisControls.h"
#include "DisplacementAnalysis.h"

#include <string>

// The values of the displacement window's reference controls: the mode
// radios, the reference frame field, the reference target selector, and the
// reference position as the window shows it.
struct DisplacementFields {
    ReferenceMode reference = ReferenceMode::Frame;
    int referenceFrame = 1;   // from 1; -1 when the field holds no number
    int referenceTarget = -1; // point-table index, -1 none chosen
    std::string positionText; // shown only: "( %4d , %4d )"
};

// The displacement window "偏移量" as its logic sees it.
class DisplacementControls : public AnalysisControls {
public:
    virtual void ReadReference(DisplacementFields* fields) = 0;
    virtual void WriteReference(const DisplacementFields& fields) = 0;
};
