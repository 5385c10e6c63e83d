#pragma once

#include "MeasureHeader.h"
#include "TrackRecords.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// The result file of a tracking run: created for writing, points streamed
// frame by frame after the header's 86 bytes, the header written at offset 0
// at the end. Numbers are written least significant byte first. A staged
// file is written under a temporary name beside its target and takes the
// target's name only by Commit, so a run that fails or is killed leaves an
// existing result as it was.
class TrackResultFile {
public:
    TrackResultFile() = default;
    TrackResultFile(const TrackResultFile&) = delete;
    TrackResultFile& operator=(const TrackResultFile&) = delete;
    // Removes a staged file that was not committed.
    ~TrackResultFile();

    // Writes straight into `path` (benchmarks write to /dev/null).
    bool Create(const std::string& path);
    // Writes into a new temporary file beside `target`.
    bool CreateStaged(const std::string& target);
    // Renames the closed staged file over its target; false when the target
    // is a folder or the rename fails (the target is then unchanged).
    bool Commit();
    // Reserves a new empty file "pfXXXXXX.tmp" beside `target`, with the mode
    // the target has (or a plain creation would give); empty on failure.
    static std::string ReserveBeside(const std::string& target);
    // Renames `staged` over `target` unless `target` is a folder.
    static bool Replace(const std::string& staged, const std::string& target);

    bool IsOpen() const { return file_ != nullptr; }
    // Moves to a byte offset; the position afterwards, -1 on failure.
    long SeekTo(long offset);
    // Appends the records of one frame: status, x, y for each target.
    bool WriteRecords(int count, const XY_TRACK* records);
    // Writes the header at offset 0 and returns to the end of the file.
    bool WriteHeader(const MeasureHeader& header);
    // Closes; false when any write failed.
    bool Close();
    bool Failed() const { return failed_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    bool Put(const unsigned char* bytes, std::size_t count);

    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
    std::string staged_; // temporary name while not committed
    std::string target_;
    std::vector<unsigned char> buffer_; // encoded bytes, reused
};
