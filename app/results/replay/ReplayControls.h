#pragma once

#include "ReplaySettings.h"

#include <string>
#include <vector>

// The window "结果视频显示" as its logic sees it: the logic pulls the
// controls into its fields before it works and pushes them back afterwards.
class ReplayControls {
public:
    ReplayControls() = default;
    ReplayControls(const ReplayControls&) = delete;
    ReplayControls& operator=(const ReplayControls&) = delete;
    virtual ~ReplayControls() = default;

    virtual void ReadControls(ReplayFields* fields) = 0;
    virtual void WriteControls(const ReplayFields& fields) = 0;
    // Refills the frame list ("帧 1" ...) and the target list ("目标1" ...).
    virtual void SetEntries(const std::vector<std::string>& frames,
                            const std::vector<std::string>& targets) = 0;
    virtual void Enable(const ReplayEnabling& enabling) = 0;
};
