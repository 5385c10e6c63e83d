#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CDataClient;
class CDataServer;
class CTrackFile2D;
class CTrackInfo2D;
class MeasureDocument;
namespace kova {
class Prompter;
}

// What the "人体重心测量" dialog asks for: the sex of the body model and the
// outputs to append (in the order of the output table, whole body first).
struct GravityChoices {
    static constexpr int kOutputCount = 22;
    int sex = 0; // 0 male, 1 female
    std::array<bool, kOutputCount> outputs{{true}};

    int CheckedCount() const;
};

// Body centre of gravity from the 20-landmark body model: appends one target
// per checked output, computed frame by frame from targets 1..20.
class GravityLogic {
public:
    static constexpr int kLandmarks = 20;

    // The dialog's OK check: false (with "请指定测量部位。") when nothing is checked.
    static bool CheckChoices(const GravityChoices& choices, kova::Prompter& prompter);
    // 1 success, 0 failure (with its message).
    static int ComputeGravity(const GravityChoices& choices, CTrackFile2D& track,
                              CTrackInfo2D& info, CDataServer& server, CDataClient& client,
                              kova::Prompter& prompter);

    // The command on the open measurement, one step of its undo history.
    static int Run(const GravityChoices& choices, MeasureDocument& document);

    // Names of the 20 landmarks and of the 22 outputs.
    static const std::vector<std::string>& LandmarkNames();
    static const std::vector<std::string>& OutputNames();
    // The check box texts of the 22 outputs.
    static const std::vector<std::string>& OutputLabels();

    // One frame: the 20 landmark positions (x, y) in, the output point out.
    static void ComputeOutput(int output, int sex, const double* x, const double* y, double* outX,
                              double* outY);
    // The status of an output point: the highest status of the landmarks it
    // is computed from, 0 when they are all good (measured or interpolated).
    static std::int16_t OutputStatus(int output, const std::int16_t* status);
};
