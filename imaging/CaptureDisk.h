#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kova {

// Disk figures and file copies of the capture.
class CaptureDisk {
public:
    // Free bytes for an unprivileged writer in the folder of `path` (or in
    // `path` when it is a folder); 0 when it cannot be told.
    static std::int64_t FreeBytes(const std::string& path);
    // Frames of width x height, 3 bytes a pixel, that fit into `freeBytes`
    // less `reserveBytes`; 0 when none, at most INT_MAX.
    static std::int64_t FramesThatFit(std::int64_t freeBytes, std::int64_t reserveBytes, int width,
                                      int height);
    // Copies `from` to `to` through a temporary file beside `to`, renamed
    // over it on success; `to` is untouched on failure.
    static bool CopyFile(const std::string& from, const std::string& to, std::string* error);
    // Tests replace the free-space query (an empty function restores it).
    using FreeBytesQuery = std::function<std::int64_t(const std::string& folder)>;
    static void SetFreeBytesQueryForTest(FreeBytesQuery query);
};

} // namespace kova
