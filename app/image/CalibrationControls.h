#pragma once

#include <string>

// What a mouse drag or click over the image sets.
enum class CalibrationMouseMode {
    Scale,       // a drag over a known length
    Coordinates, // three clicks: origin, X direction, Y side
};

// The values of the calibration dialog's controls.
struct CalibrationFields {
    int lengthUnit = -1; // index in the length unit list, -1 none chosen
    int timeUnit = -1;
    std::string angleText;
    std::string originText;
    std::string directionText;
    // The four edits as the user typed them; the logic reads the numbers
    // where it uses them and writes only what it computes or loads.
    std::string interval = "0";
    std::string frameRate = "0";
    std::string imageDistance = "1";
    std::string realDistance = "1";
    std::string scaleText;
    CalibrationMouseMode mouseMode = CalibrationMouseMode::Scale;
};

// The calibration window as its logic sees it: the logic pulls the controls
// into its fields before it works and pushes them back afterwards.
class CalibrationControls {
public:
    CalibrationControls() = default;
    CalibrationControls(const CalibrationControls&) = delete;
    CalibrationControls& operator=(const CalibrationControls&) = delete;
    virtual ~CalibrationControls() = default;

    virtual void ReadControls(CalibrationFields* fields) = 0;
    virtual void WriteControls(const CalibrationFields& fields) = 0;
    // Enables the controls of a mouse mode and disables the others.
    virtual void EnableControls(CalibrationMouseMode mode) = 0;
    virtual void SetCornerButtonText(const std::string& text) = 0;
};
