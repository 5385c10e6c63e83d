// Feeds arbitrary bytes to the targets file reader: it must refuse with the
// line named, or give entries whose every value is within its range.
#include "TargetsFile.h"

#include <cstdint>
#include <string>

namespace {

bool InRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

bool Sound(const TargetsFile::Entry& e, int previousLine) {
    if (!(e.x >= 0.0f && e.y >= 0.0f && e.x <= 1e6f && e.y <= 1e6f)) return false;
    if (e.line <= previousLine) return false;
    if ((e.width == 0) != (e.height == 0) || !InRange(e.width, 0, 32767) ||
        !InRange(e.height, 0, 32767))
        return false;
    if (e.hasGrey && e.hasColour) return false;
    if (e.hasPercent && (!e.hasGrey || !(e.percent >= 0.0f && e.percent <= 100.0f))) return false;
    for (int v : e.grey)
        if (!InRange(v, 0, 255)) return false;
    for (int v : e.colour)
        if (!InRange(v, 0, 255)) return false;
    return (!e.hasGrey && !e.hasColour) || e.width > 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<TargetsFile::Entry> entries;
    std::string error;
    if (TargetsFile::Parse(text, &entries, &error)) {
        int line = 0;
        for (const TargetsFile::Entry& e : entries) {
            if (!Sound(e, line)) __builtin_trap();
            line = e.line;
        }
    } else if (error.compare(0, 5, "line ") != 0) {
        __builtin_trap();
    }
    return 0;
}
