#pragma once

#include "CsvTable.h"

#include <iosfwd>

class TrackingReport;

// The tracking report as people and spreadsheets read it: one line per
// target, a warning line per target lost for more than
// TrackingReport::kLostWarning frames in a row, and a CSV table with one row
// per target. Targets are numbered from 1, frames as in the measurement.
class TrackingReportText {
public:
    static void PrintTargets(std::ostream& out, const TrackingReport& report);
    // Each line starts with `prefix` ("track: ").
    static void PrintWarnings(std::ostream& out, const TrackingReport& report,
                              const std::string& prefix);
    static kova::CsvTable Table(const TrackingReport& report);
};
