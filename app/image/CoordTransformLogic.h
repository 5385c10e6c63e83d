#pragma once

#include <string>
#include <vector>

class CDisplayServer;
class CTrackFile2D;
class MeasureDocument;

// The logic of the "坐标变换" dialog: moves and turns every frame so that a
// reference target stays where it was in the reference frame (position) and
// the line between two targets keeps its direction (axis). Works in image
// pixels on the document's point table, in place.
class CoordTransformLogic {
public:
    // Dialog values; kept between openings. Targets are 0-based, the
    // reference frame 1-based.
    int positionTarget = 0;
    int axisFirst = 0;
    int axisSecond = 0;
    int axisOn = 1;
    int positionOn = 1;
    int referenceFrame = 1;

    // "目标1" ... "目标N" for the three combo boxes.
    static std::vector<std::string> TargetItems(int targets);

    // "确认": 1 when the transform ran (the dialog closes), 0 when the input
    // was refused (the dialog stays open). `succeeded` tells whether every
    // point was transformed.
    int Run(MeasureDocument& document, CDisplayServer* display, bool* succeeded = nullptr) const;

private:
    // The reference position and direction from the reference frame.
    bool Reference(const CTrackFile2D& track, double* x0, double* y0, double* theta0) const;
    bool Transform(CTrackFile2D& track, double x0, double y0, double theta0) const;
};
