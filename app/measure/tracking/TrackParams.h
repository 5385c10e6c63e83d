#pragma once

#include <string>

class CCfgFile;

// The tracking parameters of one run, as the system configuration keeps them
// (keys Param...). The defaults are those the program fills in for keys
// missing from KOVA.CFG. The modes carry the numbers of their keys. Load
// never keeps a value out of its range: a mode or flag becomes its default,
// a number is clamped into its range. Check names values set otherwise.
struct TrackParams {
    enum class ProcessType { Manual = 0, SemiAutomatic = 1, Automatic = 2 };
    enum class DispType { Grey = 0, Colour = 2 };
    // Search window size and thresholds: fixed for all targets at run start,
    // or free (each target keeps its own).
    enum class WindowSize { Fixed = 0, Free = 1 };
    enum class PickupValueMode { Fixed = 0, Free = 1 };
    // Grey binarisation: band threshold, mode method, p-tile.
    enum class PickupMode { Band = 0, ModeMethod = 1, Percentage = 2 };
    enum class Filter { None = 0, Average = 1, Emphasis = 2 };
    // Blobs removed: none, small (up to area 0), large (from area 1), both.
    enum class NoiseRemover { None = 0, Small = 1, Large = 2, Both = 3 };

    ProcessType processType = ProcessType::SemiAutomatic;
    DispType dispType = DispType::Grey;
    WindowSize windowSize = WindowSize::Fixed;
    PickupValueMode pickupValueMode = PickupValueMode::Fixed;
    PickupMode pickupMode = PickupMode::Band;
    int monoValue[2] = {200, 255};                   // ParamPickupMonoValue
    double monoPercent = 10.0;                       // ParamPickupMonoPercent
    int colorValue[6] = {50, 120, 50, 120, 50, 120}; // ParamPickupColorValue
    int targetValue = 255;                           // ParamTargetValue: 0 or 255
    Filter filter = Filter::None;
    NoiseRemover noiseRemover = NoiseRemover::None;
    int noiseArea0 = 5;    // ParamNoiseArea0
    int noiseArea1 = 100;  // ParamNoiseArea1
    int selectMaxArea = 0; // ParamSelectMaxArea

    bool IsColour() const { return dispType == DispType::Colour; }
    bool RemovesSmall() const {
        return noiseRemover == NoiseRemover::Small || noiseRemover == NoiseRemover::Both;
    }
    bool RemovesLarge() const {
        return noiseRemover == NoiseRemover::Large || noiseRemover == NoiseRemover::Both;
    }

    // Reads the keys present in `cfg`; a missing scalar key leaves its value,
    // a missing or malformed array key gives the window's fallback bands.
    // Values out of range are then made valid (see Sanitize).
    void Load(CCfgFile& cfg);
    // Replaces each mode or flag out of its range by its default and clamps
    // bands, percentage and areas into theirs, so no value read from a file
    // is ever used as an index.
    void Sanitize();
    // Writes every key.
    void Save(CCfgFile& cfg) const;
    // Empty when every value is in its range, else the first offending key
    // with its allowed range.
    std::string Check() const;
};
