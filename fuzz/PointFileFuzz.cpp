// Feeds arbitrary bytes to the .TRK reader: it must fail cleanly or read a
// table that matches its header and saves back to the same bytes.
#include "CTrackFile2D.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char path[] = "/tmp/kova-fuzz-trk-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        unlink(path);
        return 0;
    }
    close(fd);
    CTrackFile2D track;
    if (track.Load(std::string(path))) {
        if (track.GetHeader().frames != track.GetFrameCount() ||
            track.GetHeader().targets != track.GetTargetCount())
            __builtin_trap();
        const std::size_t used = 86 + static_cast<std::size_t>(track.GetFrameCount()) *
                                          static_cast<std::size_t>(track.GetTargetCount()) * 10;
        if (used > size) __builtin_trap();
        const std::string copy = std::string(path) + ".out";
        if (!track.Save(copy)) __builtin_trap();
        const std::string original(reinterpret_cast<const char*>(data), used);
        if (ReadAll(copy) != original) __builtin_trap();
        unlink(copy.c_str());
    } else if (track.GetFrameCount() != 0 || track.GetTargetCount() != 0) {
        __builtin_trap();
    }
    unlink(path);
    return 0;
}
