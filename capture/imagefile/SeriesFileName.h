#pragma once

#include <string>

// The name of one file of a numbered image series: head + number of at
// least four digits + "." + extension, as the frame store's series naming
// builds it. A chosen name is split so that building it again gives the same
// name, whatever its case: the number is the last run of digits ending just
// before the last "." and the head is everything before it, so CAM1_0001.BMP
// is head "CAM1_" with number 1.
class SeriesFileName {
public:
    static constexpr int kDigits = 4;

    // False when the name has no number before its last ".", the number is
    // too long, or the name would not be built back exactly (a number of
    // fewer than four digits, or padded beyond four).
    static bool Split(const std::string& name, std::string* head, int* number, std::string* ext);
    static std::string Build(const std::string& head, int number, const std::string& ext);
};
