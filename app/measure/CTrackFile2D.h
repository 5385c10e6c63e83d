#pragma once

#include "CPointDataFile.h"

#include <string>

class CCfgFile;
class TextSink;

// The .TRK file of a 2D measurement: a point is status (2 bytes), x and y
// (4-byte floats), 10 bytes in all. Also carries the calibration between the
// header and a keyed file, and prints the measurement summary.
class CTrackFile2D : public CPointDataFile {
public:
    // `dataDirectory` is where the file dialogs start (the frame store's
    // data directory, given by whoever owns the frame store).
    explicit CTrackFile2D(const std::string& dataDirectory = std::string());

    using CPointDataFile::Load;
    using CPointDataFile::Save;
    int LoadPoint(CFile* file, XY_TRACK* point) override;
    int SavePoint(CFile* file, const XY_TRACK* point) override;

    void SetDataDirectory(const std::string& directory) { SetInitialDir(directory); }

    // Header calibration <-> the nine calibration keys. A missing key leaves
    // its field as it was; the modified flag is not changed.
    void SetCalibration(CCfgFile* cfg);
    void GetCalibration(CCfgFile* cfg) const;

    // The ten lines of the measurement summary, one string each.
    void AddSummary(TextSink* sink) const;

    static constexpr long kPointBytes = 10;

protected:
    long PointBytes() const override { return kPointBytes; }
};
