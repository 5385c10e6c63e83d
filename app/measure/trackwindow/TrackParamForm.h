#pragma once

#include "TrackParams.h"

#include <string>

// The values of the parameter details dialog "参数明细" and its rules: which
// controls are enabled, what 初始值 sets, and the check of the area fields.
struct TrackParamForm {
    static constexpr int kMinArea = 1;
    static constexpr int kMaxArea = 999999;

    int targetColour = 1; // 0 黑(0), 1 白(255)
    int method = 0;       // 0 设定阈值, 1 自动, 2 %指定
    int filter = 0;       // 0 无, 1 平均, 2 强调
    int noise = 0;        // 0 无, 1 以下, 2 以上, 3 区间
    long long area0 = 30;
    long long area1 = 100;
    bool maxArea = false;

    struct Enabling {
        bool area0 = false;
        bool area1 = false;
        bool filters = true;     // 平均 and 强调
        bool autoMethods = true; // 自动 and %指定
        bool maxArea = true;
    };

    // Opening: the window's parameters; a colour image forces filter 无 and
    // method 设定阈值, automatic tracking checks 最大面积标记.
    static TrackParamForm From(const TrackParams& params);
    Enabling Enable(const TrackParams& params) const;
    // 初始值.
    void Reset();
    // Empty when the fields are valid, else the message for the first bad one.
    std::string Check() const;
    // OK: the values into `params` (target colour as 0 or 255).
    void ApplyTo(TrackParams& params) const;
};
