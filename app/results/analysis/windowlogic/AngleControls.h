#pragma once

#include "AnalysisControls.h"
#include "AngleAnalysis.h"

#include <array>

// The values of the angle window's own controls: the mode radios, the
// selectors P1..P4 (-1 none chosen) and "反侧的角度".
struct AngleFields {
    AngleMode mode = AngleMode::ThreePoints;
    std::array<int, 4> points = {-1, -1, -1, -1};
    bool otherSide = false;
};

// The angle window "2 线间夹角" as its logic sees it.
class AngleControls : public AnalysisControls {
public:
    virtual void ReadAngle(AngleFields* fields) = 0;
    virtual void WriteAngle(const AngleFields& fields) = 0;
    // Enables P1 .. P`selectors` and disables the others; "反侧的角度" with
    // `otherSide`.
    virtual void EnablePicks(int selectors, bool otherSide) = 0;
};
