#pragma once

#include "CPtFile.h"
#include "MeasureHeader.h"
#include "TEasyArray.h"

#include <string>

// A binary point data file: the measurement header followed by the point
// table, frame by frame (every target of frame 0, then frame 1, ...). The
// table has one row per target and one entry per frame. Derived classes
// supply the coding of one point.
class CPointDataFile : public CPtFile {
public:
    CPointDataFile();
    ~CPointDataFile() override = default;

    using CPtFile::Load;
    using CPtFile::Save;
    int Load(CFile* file) override;
    int Save(CFile* file) override;
    // Loads a file; any failure leaves an empty table with both counts 0.
    int Load(const std::string& path);
    // Saves through a temporary file; a failure keeps the modified flag.
    int Save(const std::string& path);

    virtual int LoadExtra(CFile* file);
    virtual int SaveExtra(CFile* file);
    virtual int LoadPoint(CFile* file, XY_TRACK* point);
    virtual int SavePoint(CFile* file, const XY_TRACK* point);

    // Reads or writes the 30 header values (86 bytes); 1 success, 0 failure.
    int LoadHeader(CFile* file, MeasureHeader* header) const;
    int SaveHeader(CFile* file, const MeasureHeader& header) const;

    int Create(int targets, int frames);
    void Clear();
    int AddTarget();
    int DeleteTarget(int target);
    int DeleteFrame(int frame);
    int GetTargetCount() const { return targetCount_; }
    int GetFrameCount() const { return frameCount_; }
    int SetPoint(int target, int frame, const XY_TRACK* point);
    int GetPoint(int target, int frame, XY_TRACK* point) const;

    int IsModified() const { return modified_; }
    void SetModified(int modified) { modified_ = modified; }
    const MeasureHeader& GetHeader() const { return header_; }
    // Replaces the header fields other than the two counts, which always
    // mirror the table.
    void SetHeader(const MeasureHeader& header);

protected:
    MeasureHeader& Header() { return header_; }
    // Bytes one point takes on disk; 0 when this class cannot read points.
    virtual long PointBytes() const { return 0; }

private:
    void MakeEmpty();
    void SetCounts(int targets, int frames);

    MeasureHeader header_;
    int modified_ = 0;
    int targetCount_ = 0;
    int frameCount_ = 0;
    TEasyArrays<XY_TRACK> table_;
};
