#pragma once

#include <string>

// What the manual measurement window lets the user do at a time.
enum class DigitizeState {
    Idle,    // everything but 停止 and the four navigation buttons
    Input,   // only 停止 and the four navigation buttons
    Unsaved, // a table whose save failed: choosing another result file saves it
};

// The values of the manual measurement window's controls.
struct DigitizeFields {
    int order = 0;                // 0 帧单位追踪, 1 ID单位追踪
    std::string targetCount = ""; // 目标个数 as typed
};

// The texts the window shows.
struct DigitizeTexts {
    std::string imagePath;
    std::string firstFile;
    std::string lastFile;
    std::string resultPath;
    std::string status;
    int frame = 1; // the frame field and the spin, 1-based
    int frameCount = 1;
};

// The manual measurement window as its logic sees it.
class DigitizeControls {
public:
    DigitizeControls() = default;
    DigitizeControls(const DigitizeControls&) = delete;
    DigitizeControls& operator=(const DigitizeControls&) = delete;
    virtual ~DigitizeControls() = default;

    virtual void ReadFields(DigitizeFields* fields) = 0;
    virtual void WriteTexts(const DigitizeTexts& texts) = 0;
    virtual void EnableControls(DigitizeState state) = 0;
};
