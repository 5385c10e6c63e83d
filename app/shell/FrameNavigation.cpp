#include "FrameNavigation.h"

#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "ImageSource.h"

#include <algorithm>

FrameNavigation::FrameNavigation(CImageDisplay& display, const ImageSource& source,
                                 const CTrackFile2D& track)
    : display_(display), source_(source), track_(track) {}

bool FrameNavigation::HasImages() const {
    return display_.HasImages() && display_.PageCount() > 0;
}

int FrameNavigation::Count() const {
    return HasImages() ? display_.PageCount() : std::max(0, track_.GetFrameCount());
}

int FrameNavigation::Page() const {
    return display_.GetPage();
}

bool FrameNavigation::Go(int page) {
    const int count = Count();
    if (count < 1) return false;
    page = std::clamp(page, 1, count);
    if (HasImages()) {
        display_.ShowPage(page);
    } else {
        display_.SetPage(page);
        display_.Refresh();
    }
    return true;
}

std::string FrameNavigation::FrameText() const {
    const int count = Count();
    if (count < 1) return std::string();
    return "帧 " + std::to_string(Page()) + " / " + std::to_string(count);
}

std::string FrameNavigation::SourceText() const {
    if (!HasImages()) return std::string();
    const int offset = Page() - 1;
    if (source_.IsAvi()) return "AVI 帧 " + std::to_string(std::max(1, source_.aviFirst) + offset);
    return "文件号 " + std::to_string(source_.firstNumber + offset);
}
