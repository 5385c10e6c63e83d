#pragma once

#include <string>

class CCfgFile;

// The tracking parameters of one run, as the system configuration keeps them
// (keys Param...). The defaults are those the program fills in for keys
// missing from KOVA.CFG.
struct TrackParams {
    static constexpr int kManual = 0;
    static constexpr int kSemiAutomatic = 1;
    static constexpr int kAutomatic = 2;
    static constexpr int kGrey = 0;
    static constexpr int kColour = 2;

    int processType = kSemiAutomatic; // ParamProcessType
    int dispType = kGrey;             // ParamDispType
    int windowSize = 0;               // ParamWindowSize: 0 fixed, 1 free
    int pickupValueMode = 0;          // ParamPickupValueMode: 0 fixed, 1 free
    int pickupMode = 0;               // ParamPickupMode: 0 band, 1 mode method, 2 p-tile
    int monoValue[2] = {200, 255};    // ParamPickupMonoValue
    double monoPercent = 10.0;        // ParamPickupMonoPercent
    int colorValue[6] = {50, 120, 50, 120, 50, 120}; // ParamPickupColorValue
    int targetValue = 255;                           // ParamTargetValue: 0 or 255
    int filter = 0;                                  // ParamFilter: 0 none, 1 average, 2 emphasis
    int noiseRemover = 0;  // ParamNoiseRemover: 0 none, 1 small, 2 large, 3 both
    int noiseArea0 = 5;    // ParamNoiseArea0
    int noiseArea1 = 100;  // ParamNoiseArea1
    int selectMaxArea = 0; // ParamSelectMaxArea

    bool IsColour() const { return dispType == kColour; }

    // Reads the keys present in `cfg`; a missing scalar key leaves its value,
    // a missing or malformed array key gives the window's fallback bands.
    void Load(CCfgFile& cfg);
    // Writes every key.
    void Save(CCfgFile& cfg) const;
    // Empty when every value is in its range, else the first offending key
    // with its allowed range.
    std::string Check() const;
};
