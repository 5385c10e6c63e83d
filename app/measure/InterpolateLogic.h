#pragma once

#include "TrackRecords.h"

#include <string>
#include <vector>

class CDisplayServer;
class MeasureDocument;
namespace kova {
class Prompter;
}

// The logic of the "内插补间" dialog: doubtful points of the selected targets
// are replaced by points on a chord-length cubic spline through the good
// points and get the status -1.
class InterpolateLogic {
public:
    // Gaps per target are limited to 4095.
    static constexpr int kMaxGaps = 4095;

    // Interpolates one target's records in place: a record is good when its
    // status is below `level` (1..4). 1 success, 0 failure (records unchanged).
    static int InterpolateTrack(XY_TRACK* records, int count, int level, kova::Prompter& prompter);

    // The four texts of the error level combo (level = position + 1).
    static std::vector<std::string> LevelTexts();
    // "目标1" ... "目标N" for the target list.
    static std::vector<std::string> TargetItems(int targets);

    // Reads a target's row, interpolates it and writes it back on success.
    static int InterpolateTarget(MeasureDocument& document, int target, int level);

    // "执行" with the selected targets (0-based, list order) and level:
    // 1 all interpolated, 0 a target failed (the dialog closes in both
    // cases), -1 no target selected (the dialog stays open).
    static int Run(MeasureDocument& document, const std::vector<int>& targets, int level,
                   CDisplayServer* display);
};
