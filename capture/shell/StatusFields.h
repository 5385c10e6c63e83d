#pragma once

#include "DisplayMode.h"

// The values of the status window "状态窗".
struct StatusFields {
    DisplayMode mode = DisplayMode::FullColor;
    bool keepSource = true; // "原帧保留" (true) or "原帧不保留"
    int frame = 1;          // displayed frame
    int start = 1;          // first frame of the continuous display
    int end = 1;            // last frame of the continuous display
    bool loop = false;      // "循环"
    bool showRegion = false;
    bool fixedRegion = false;
    int x0 = 0; // start point of the processing region
    int y0 = 0;
    int x1 = 0; // end point
    int y1 = 0;
};
