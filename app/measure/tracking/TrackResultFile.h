#pragma once

#include "MeasureHeader.h"
#include "TrackRecords.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// The result file of a tracking run: created for writing, points streamed
// frame by frame after the header's 86 bytes, the header written at offset 0
// at the end. Numbers are written least significant byte first.
class TrackResultFile {
public:
    bool Create(const std::string& path);
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
    std::vector<unsigned char> buffer_; // encoded bytes, reused
};
