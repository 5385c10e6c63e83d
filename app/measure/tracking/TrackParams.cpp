#include "TrackParams.h"

#include "CCfgFile.h"

#include <vector>

namespace {

void LoadBands(CCfgFile& cfg, const char* key, int* values, const std::vector<int>& fallback) {
    std::vector<int> stored;
    const bool ok = cfg.GetArray(key, &stored) && stored.size() == fallback.size();
    const std::vector<int>& use = ok ? stored : fallback;
    for (std::size_t i = 0; i < use.size(); ++i)
        values[i] = use[i];
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

void TrackParams::Load(CCfgFile& cfg) {
    cfg.GetValue("ParamProcessType", &processType);
    short disp = static_cast<short>(dispType);
    if (cfg.GetValue("ParamDispType", &disp)) dispType = disp;
    cfg.GetValue("ParamWindowSize", &windowSize);
    cfg.GetValue("ParamPickupValueMode", &pickupValueMode);
    cfg.GetValue("ParamPickupMode", &pickupMode);
    LoadBands(cfg, "ParamPickupMonoValue", monoValue, {200, 255});
    cfg.GetValue("ParamPickupMonoPercent", &monoPercent);
    LoadBands(cfg, "ParamPickupColorValue", colorValue, {50, 120, 50, 120, 50, 120});
    cfg.GetValue("ParamTargetValue", &targetValue);
    cfg.GetValue("ParamFilter", &filter);
    cfg.GetValue("ParamNoiseRemover", &noiseRemover);
    cfg.GetValue("ParamNoiseArea0", &noiseArea0);
    cfg.GetValue("ParamNoiseArea1", &noiseArea1);
    cfg.GetValue("ParamSelectMaxArea", &selectMaxArea);
}

void TrackParams::Save(CCfgFile& cfg) const {
    cfg.SetValue("ParamDispType", static_cast<short>(dispType));
    cfg.SetValue("ParamFilter", filter);
    cfg.SetValue("ParamTargetValue", targetValue);
    cfg.SetValue("ParamNoiseRemover", noiseRemover);
    cfg.SetValue("ParamNoiseArea0", noiseArea0);
    cfg.SetValue("ParamNoiseArea1", noiseArea1);
    cfg.SetValue("ParamSelectMaxArea", selectMaxArea);
    cfg.SetValue("ParamWindowSize", windowSize);
    cfg.SetValue("ParamPickupValueMode", pickupValueMode);
    cfg.SetValue("ParamPickupMode", pickupMode);
    cfg.SetValue("ParamPickupMonoPercent", monoPercent);
    cfg.SetArray("ParamPickupMonoValue", std::vector<int>(monoValue, monoValue + 2));
    cfg.SetArray("ParamPickupColorValue", std::vector<int>(colorValue, colorValue + 6));
    cfg.SetValue("ParamProcessType", processType);
}

std::string TrackParams::Check() const {
    if (!InRange(processType, 0, 2)) return "ParamProcessType must be 0, 1 or 2";
    if (dispType != kGrey && dispType != kColour) return "ParamDispType must be 0 or 2";
    if (!InRange(windowSize, 0, 1)) return "ParamWindowSize must be 0 or 1";
    if (!InRange(pickupValueMode, 0, 1)) return "ParamPickupValueMode must be 0 or 1";
    if (!InRange(pickupMode, 0, 2)) return "ParamPickupMode must be 0, 1 or 2";
    for (int v : monoValue) {
        if (!InRange(v, 0, 255)) return "ParamPickupMonoValue values must be 0..255";
    }
    if (!(monoPercent >= 0.0 && monoPercent <= 100.0))
        return "ParamPickupMonoPercent must be 0.0..100.0";
    for (int v : colorValue) {
        if (!InRange(v, 0, 255)) return "ParamPickupColorValue values must be 0..255";
    }
    if (targetValue != 0 && targetValue != 255) return "ParamTargetValue must be 0 or 255";
    if (!InRange(filter, 0, 2)) return "ParamFilter must be 0, 1 or 2";
    if (!InRange(noiseRemover, 0, 3)) return "ParamNoiseRemover must be 0..3";
    if (!InRange(noiseArea0, 1, 999999)) return "ParamNoiseArea0 must be 1..999999";
    if (!InRange(noiseArea1, 1, 999999)) return "ParamNoiseArea1 must be 1..999999";
    if (!InRange(selectMaxArea, 0, 1)) return "ParamSelectMaxArea must be 0 or 1";
    return std::string();
}
