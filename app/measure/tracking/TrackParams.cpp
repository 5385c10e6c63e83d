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

template <typename Mode> bool InRange(Mode mode, int low, int high) {
    return InRange(static_cast<int>(mode), low, high);
}

// The key's number into the mode, as the int would be read.
template <typename Mode> void LoadMode(CCfgFile& cfg, const char* key, Mode& mode) {
    int value = static_cast<int>(mode);
    cfg.GetValue(key, &value);
    mode = static_cast<Mode>(value);
}

template <typename Mode> void DefaultUnless(Mode& mode, int low, int high, Mode fallback) {
    if (!InRange(mode, low, high)) mode = fallback;
}

int Clamped(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

template <typename Mode> void SaveMode(CCfgFile& cfg, const char* key, Mode mode) {
    cfg.SetValue(key, static_cast<int>(mode));
}

} // namespace

void TrackParams::Load(CCfgFile& cfg) {
    LoadMode(cfg, "ParamProcessType", processType);
    short disp = static_cast<short>(dispType);
    if (cfg.GetValue("ParamDispType", &disp)) dispType = static_cast<DispType>(disp);
    LoadMode(cfg, "ParamWindowSize", windowSize);
    LoadMode(cfg, "ParamPickupValueMode", pickupValueMode);
    LoadMode(cfg, "ParamPickupMode", pickupMode);
    LoadBands(cfg, "ParamPickupMonoValue", monoValue, {200, 255});
    cfg.GetValue("ParamPickupMonoPercent", &monoPercent);
    LoadBands(cfg, "ParamPickupColorValue", colorValue, {50, 120, 50, 120, 50, 120});
    cfg.GetValue("ParamTargetValue", &targetValue);
    LoadMode(cfg, "ParamFilter", filter);
    LoadMode(cfg, "ParamNoiseRemover", noiseRemover);
    cfg.GetValue("ParamNoiseArea0", &noiseArea0);
    cfg.GetValue("ParamNoiseArea1", &noiseArea1);
    cfg.GetValue("ParamSelectMaxArea", &selectMaxArea);
    Sanitize();
}

void TrackParams::Sanitize() {
    const TrackParams defaults;
    DefaultUnless(processType, 0, 2, defaults.processType);
    if (dispType != DispType::Grey && dispType != DispType::Colour) dispType = defaults.dispType;
    DefaultUnless(windowSize, 0, 1, defaults.windowSize);
    DefaultUnless(pickupValueMode, 0, 1, defaults.pickupValueMode);
    DefaultUnless(pickupMode, 0, 2, defaults.pickupMode);
    DefaultUnless(filter, 0, 2, defaults.filter);
    DefaultUnless(noiseRemover, 0, 3, defaults.noiseRemover);
    for (int& v : monoValue)
        v = Clamped(v, 0, 255);
    for (int& v : colorValue)
        v = Clamped(v, 0, 255);
    if (!(monoPercent >= 0.0)) monoPercent = 0.0; // below 0 or NaN
    if (monoPercent > 100.0) monoPercent = 100.0;
    if (targetValue != 0 && targetValue != 255) targetValue = defaults.targetValue;
    noiseArea0 = Clamped(noiseArea0, 1, 999999);
    noiseArea1 = Clamped(noiseArea1, 1, 999999);
    if (selectMaxArea != 0 && selectMaxArea != 1) selectMaxArea = defaults.selectMaxArea;
}

void TrackParams::Save(CCfgFile& cfg) const {
    cfg.SetValue("ParamDispType", static_cast<short>(dispType));
    SaveMode(cfg, "ParamFilter", filter);
    cfg.SetValue("ParamTargetValue", targetValue);
    SaveMode(cfg, "ParamNoiseRemover", noiseRemover);
    cfg.SetValue("ParamNoiseArea0", noiseArea0);
    cfg.SetValue("ParamNoiseArea1", noiseArea1);
    cfg.SetValue("ParamSelectMaxArea", selectMaxArea);
    SaveMode(cfg, "ParamWindowSize", windowSize);
    SaveMode(cfg, "ParamPickupValueMode", pickupValueMode);
    SaveMode(cfg, "ParamPickupMode", pickupMode);
    cfg.SetValue("ParamPickupMonoPercent", monoPercent);
    cfg.SetArray("ParamPickupMonoValue", std::vector<int>(monoValue, monoValue + 2));
    cfg.SetArray("ParamPickupColorValue", std::vector<int>(colorValue, colorValue + 6));
    SaveMode(cfg, "ParamProcessType", processType);
}

std::string TrackParams::Check() const {
    if (!InRange(processType, 0, 2)) return "ParamProcessType must be 0, 1 or 2";
    if (dispType != DispType::Grey && dispType != DispType::Colour)
        return "ParamDispType must be 0 or 2";
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
