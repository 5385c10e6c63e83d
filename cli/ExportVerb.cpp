// kova-batch export IN.TRK --csv OUT.csv: the measured points as they are
// stored, in image pixels with their status, one row per frame and target,
// for a spreadsheet or a script.
#include "CTrackFile2D.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "CsvFile.h"
#include "MeasureJob.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <charconv>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kUsage = 2;

int Usage(VerbContext& context, const std::string& problem) {
    *context.err << "kova-batch export: " << problem << '\n';
    return kUsage;
}

// The shortest text that reads back as the same float.
std::string FloatText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Frames and targets counted from 1, as the program shows them.
CsvTable PointTable(const CTrackFile2D& track) {
    CsvTable table;
    table.header = {"frame", "target", "x (px)", "y (px)", "status"};
    for (int frame = 0; frame < track.GetFrameCount(); ++frame) {
        for (int target = 0; target < track.GetTargetCount(); ++target) {
            XY_TRACK point{};
            if (!track.GetPoint(target, frame, &point)) continue;
            table.rows.push_back({std::to_string(frame + 1), std::to_string(target + 1),
                                  FloatText(point.x), FloatText(point.y),
                                  std::to_string(point.status)});
        }
    }
    return table;
}

} // namespace

int RunExport(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("export"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs one measurement file IN.TRK");
    if (line.Value("--csv").empty()) return Usage(context, "--csv OUT.csv is required");

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    CsvFile file(PointTable(job.Document().Track()));
    if (file.Save(line.Value("--csv"))) return 0;
    CPtFile::SaveError(prompter);
    return 1;
}

} // namespace kova::cli
