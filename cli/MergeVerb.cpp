// kova-batch merge DIR/HEAD --start N --end M [--mode frames|targets]: joins
// DIR/HEAD0001.TRK ... into DIR/HEAD.TRK and DIR/HEAD.TRI ("数据合并").
#include "CPtFile.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "DataMerge.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {
namespace {

int Usage(VerbContext& context, const std::string& problem) {
    *context.err << "kova-batch merge: " << problem << '\n';
    return 2;
}

} // namespace

int RunMerge(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("merge"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs DIR/HEAD");
    DataMerge merge;
    if (!ParseInt(line.Value("--start"), &merge.startNumber) ||
        !ParseInt(line.Value("--end"), &merge.endNumber))
        return Usage(context, "--start and --end need numbers");
    const std::string mode = line.Value("--mode", "frames");
    if (mode != "frames" && mode != "targets")
        return Usage(context, "--mode must be frames or targets");
    merge.mode = mode == "targets" ? DataMerge::kByTargets : DataMerge::kByFrames;
    std::string drive;
    CPtFile::SplitPath(line.Positional()[0], &drive, &merge.directory, &merge.head);
    if (!drive.empty()) merge.directory = drive + ":" + merge.directory;
    ConsolePrompter prompter(*context.err);
    return merge.Run(prompter) == 1 ? 0 : 1;
}

} // namespace kova::cli
