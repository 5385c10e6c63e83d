#include "TrackingReportText.h"

#include "TrackingReport.h"

#include <ostream>

namespace {

// "3 frames (5-7)", "1 frame (4)" or "0 frames".
std::string Frames(int count, const std::string& which) {
    const std::string text = std::to_string(count) + (count == 1 ? " frame" : " frames");
    return count == 0 ? text : text + " (" + which + ")";
}

std::string RunText(const FrameRanges::Range& run) {
    if (run.Length() == 1) return std::to_string(run.first);
    return std::to_string(run.first) + '-' + std::to_string(run.last);
}

} // namespace

void TrackingReportText::PrintTargets(std::ostream& out, const TrackingReport& report) {
    const std::vector<TrackingReport::Target>& targets = report.Targets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TrackingReport::Target& t = targets[i];
        const FrameRanges::Range longest = t.LongestLost();
        out << "target " << i + 1 << ": status 0-4:";
        for (std::uint32_t count : t.status)
            out << ' ' << count;
        out << "; longest lost run: " << Frames(longest.Length(), RunText(longest))
            << "; blob on the window edge: " << Frames(t.edge.Count(), t.edge.Text())
            << "; jumps over half the window: " << Frames(t.jumps.Count(), t.jumps.Text()) << '\n';
    }
}

void TrackingReportText::PrintWarnings(std::ostream& out, const TrackingReport& report,
                                       const std::string& prefix) {
    const std::vector<TrackingReport::Target>& targets = report.Targets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const FrameRanges losses = targets[i].LongLosses();
        if (losses.Empty()) continue;
        out << prefix << "warning: target " << i + 1 << " lost for more than "
            << TrackingReport::kLostWarning << " frames in a row: frames " << losses.Text() << '\n';
    }
}

kova::CsvTable TrackingReportText::Table(const TrackingReport& report) {
    kova::CsvTable table;
    table.header = {"target",
                    "status 0",
                    "status 1",
                    "status 2",
                    "status 3",
                    "status 4",
                    "longest lost",
                    "lost from",
                    "lost to",
                    "lost more than " + std::to_string(TrackingReport::kLostWarning) + " in a row",
                    "edge frames",
                    "on the edge",
                    "jump frames",
                    "jumps"};
    const std::vector<TrackingReport::Target>& targets = report.Targets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TrackingReport::Target& t = targets[i];
        const FrameRanges::Range longest = t.LongestLost();
        const bool lost = longest.Length() > 0;
        std::vector<std::string> row = {std::to_string(i + 1)};
        for (std::uint32_t count : t.status)
            row.push_back(std::to_string(count));
        row.insert(row.end(), {std::to_string(longest.Length()),
                               lost ? std::to_string(longest.first) : std::string(),
                               lost ? std::to_string(longest.last) : std::string(),
                               t.LongLosses().Text(), std::to_string(t.edge.Count()), t.edge.Text(),
                               std::to_string(t.jumps.Count()), t.jumps.Text()});
        table.rows.push_back(std::move(row));
    }
    return table;
}
