#include "LiveFrame.h"

#include <cstdio>

std::string LiveFrame::StatusText() const {
    char text[96];
    std::snprintf(text, sizeof text, "帧 %d / %d  %.1f 帧/秒", frame, frames, framesPerSecond);
    return text;
}
