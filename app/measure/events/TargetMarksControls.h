#pragma once

#include <string>
#include <vector>

// The target marks window as its logic sees it.
class TargetMarksControls {
public:
    TargetMarksControls() = default;
    TargetMarksControls(const TargetMarksControls&) = delete;
    TargetMarksControls& operator=(const TargetMarksControls&) = delete;
    virtual ~TargetMarksControls() = default;

    // Fills the selectors and the target list ("目标1" ...); with no targets
    // every control but 取消 is disabled.
    virtual void ShowChoices(const std::vector<std::string>& colours,
                             const std::vector<std::string>& styles,
                             const std::vector<std::string>& targets) = 0;
    // Shows the selected target with its colour, style and name.
    virtual void ShowTarget(int target, int colour, int style, const std::string& name) = 0;
};
