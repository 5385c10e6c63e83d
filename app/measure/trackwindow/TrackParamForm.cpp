#include "TrackParamForm.h"

#include <algorithm>
#include <cstdio>

TrackParamForm TrackParamForm::From(const TrackParams& params) {
    TrackParamForm form;
    form.targetColour = params.targetValue == 0 ? 0 : 1;
    form.method = std::clamp(static_cast<int>(params.pickupMode), 0, 2);
    form.filter = std::clamp(static_cast<int>(params.filter), 0, 2);
    form.noise = std::clamp(static_cast<int>(params.noiseRemover), 0, 3);
    form.area0 = params.noiseArea0;
    form.area1 = params.noiseArea1;
    form.maxArea = params.selectMaxArea != 0;
    if (params.IsColour()) {
        form.filter = 0;
        form.method = 0;
    }
    if (params.processType == TrackParams::ProcessType::Automatic) form.maxArea = true;
    return form;
}

TrackParamForm::Enabling TrackParamForm::Enable(const TrackParams& params) const {
    Enabling e;
    e.area0 = noise == 1 || noise == 3;
    e.area1 = noise == 2 || noise == 3;
    e.filters = e.autoMethods = !params.IsColour();
    e.maxArea = params.processType != TrackParams::ProcessType::Automatic;
    return e;
}

void TrackParamForm::Reset() {
    targetColour = 1;
    method = 0;
    filter = 0;
    noise = 0;
    area0 = 30;
    area1 = 100;
    maxArea = false;
}

std::string TrackParamForm::Check() const {
    for (long long area : {area0, area1}) {
        if (area < kMinArea || area > kMaxArea) {
            char text[96];
            std::snprintf(text, sizeof text, "请输入一个介于 %d 和 %d 之间的整数。", kMinArea,
                          kMaxArea);
            return text;
        }
    }
    return std::string();
}

void TrackParamForm::ApplyTo(TrackParams& params) const {
    params.targetValue = targetColour == 0 ? 0 : 255;
    params.pickupMode = static_cast<TrackParams::PickupMode>(method);
    params.filter = static_cast<TrackParams::Filter>(filter);
    params.noiseRemover = static_cast<TrackParams::NoiseRemover>(noise);
    params.noiseArea0 = static_cast<int>(area0);
    params.noiseArea1 = static_cast<int>(area1);
    params.selectMaxArea = maxArea ? 1 : 0;
}
