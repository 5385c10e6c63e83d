#include "AnalysisMeasurement.h"

#include "CEasyUtils.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "Prompter.h"

#include <algorithm>

namespace {

Calibration2D FromHeader(const MeasureHeader& h) {
    Calibration2D calibration;
    calibration.SetScale(h.scale, h.lengthUnit);
    calibration.SetTimeBase(h.interval, h.frameRate, h.timeUnit);
    calibration.SetAxes(h.originX, h.originY, h.angle, h.directY);
    return calibration;
}

} // namespace

AnalysisMeasurement::AnalysisMeasurement(const CTrackFile2D& track, CTrackInfo2D& info)
    : track_(track), calibration_(FromHeader(track.GetHeader())) {
    const int targets = track.GetTargetCount();
    info.GetTargetName(&names_, targets);
    info.GetTargetColor(&colours_, targets);
    info.GetValue("SceneCenter", &centre_);
    info.GetEvent(&events_, nullptr);
}

int AnalysisMeasurement::Frames() const {
    return track_.GetFrameCount();
}

int AnalysisMeasurement::Targets() const {
    return track_.GetTargetCount();
}

const std::string& AnalysisMeasurement::Name(int target) const {
    static const std::string none;
    if (target < 0 || static_cast<std::size_t>(target) >= names_.size()) return none;
    return names_[static_cast<std::size_t>(target)];
}

int AnalysisMeasurement::Colour(int target) const {
    const std::size_t i = static_cast<std::size_t>(target) * 2;
    if (target < 0 || i >= colours_.size()) return 0;
    const int colour = colours_[i];
    return colour >= 0 && colour <= 6 ? colour : 0;
}

int AnalysisMeasurement::Style(int target) const {
    const std::size_t i = static_cast<std::size_t>(target) * 2 + 1;
    if (target < 0 || i >= colours_.size()) return 0;
    const int style = colours_[i];
    return style >= 0 && style <= 4 ? style : 0;
}

bool AnalysisMeasurement::IsEvent(int frame) const {
    return std::find(events_.begin(), events_.end(), frame) != events_.end();
}

bool AnalysisMeasurement::Point(int target, int frame, XY_TRACK* point) const {
    return track_.GetPoint(target, frame, point) == 1;
}

bool AnalysisMeasurement::RealPoint(int target, int frame, int lengthUnit, double* x,
                                    double* y) const {
    XY_TRACK p{};
    if (!Point(target, frame, &p)) return false;
    calibration_.ToReal(p.x, p.y, lengthUnit, x, y);
    return true;
}

double AnalysisMeasurement::FrameTime(int frame) const {
    return calibration_.FrameTime(frame, centre_);
}

std::string AnalysisMeasurement::TimeUnitName() const {
    return TimeName(calibration_.TimeUnit());
}

void AnalysisMeasurement::AddSummary(TextSink* sink) const {
    track_.AddSummary(sink);
}

bool AnalysisMeasurement::CheckOpen(kova::Prompter& prompter) const {
    if (Frames() > 0) return true;
    Refuse(prompter, "请打开文件。");
    return false;
}

bool AnalysisMeasurement::CheckRange(int lower, int upper, kova::Prompter& prompter) const {
    if (1 <= lower && lower <= upper && upper <= Frames()) return true;
    Refuse(prompter, "帧异常。");
    return false;
}

bool AnalysisMeasurement::CheckFrames(const AnalysisRange& range, kova::Prompter& prompter) const {
    return CheckOpen(prompter) && CheckRange(range.lower, range.upper, prompter);
}

bool AnalysisMeasurement::CheckTimeBase(kova::Prompter& prompter) const {
    if (calibration_.HasTimeBase()) return true;
    Refuse(prompter, "帧数异常。");
    return false;
}

ChartSet AnalysisMeasurement::ChartFrame(const std::string& title, int firstFrame,
                                         int count) const {
    ChartSet set;
    set.title = title;
    set.firstFrame = firstFrame;
    set.events = events_;
    for (int k = 0; k < count; ++k)
        set.times.push_back(FrameTime(firstFrame + k));
    return set;
}

void AnalysisMeasurement::Refuse(kova::Prompter& prompter, const char* text) {
    prompter.Show(text, "确认", kova::MessageIcon::Exclamation);
}

bool AnalysisMeasurement::Require(bool ok, const char* text, kova::Prompter& prompter) {
    if (!ok) Refuse(prompter, text);
    return ok;
}

std::string AnalysisMeasurement::LengthName(int unit) {
    std::string name;
    CEasyUtils::GetLongStr(&name, unit);
    return name;
}

std::string AnalysisMeasurement::TimeName(int unit) {
    std::string name;
    CEasyUtils::GetTimeStr(&name, unit);
    return name;
}
