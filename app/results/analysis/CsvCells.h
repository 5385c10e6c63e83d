#pragma once

#include "NumberText.h"

#include <string>

// Cells of the analyses' CSV tables: numbers without the locale and with
// six decimals, an empty cell where a value is undefined, and column names
// with their unit.
class CsvCells {
public:
    static std::string Number(double value) { return kova::FormatFixed(value, 6); }
    static std::string Number(bool defined, double value) {
        return defined ? Number(value) : std::string();
    }
    static std::string Whole(long value) { return kova::FormatInt(value); }
    // "speed (mm/s)".
    static std::string Heading(const std::string& name, const std::string& unit) {
        return name + " (" + unit + ")";
    }
};
