// kova-batch interpolate M.TRK --level K [--targets 1,3,...] [-o OUT.TRK]:
// the "内插补间" command over the given targets (all by default).
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "InterpolateLogic.h"
#include "MeasureJob.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {
namespace {

int Usage(VerbContext& context, const std::string& problem) {
    *context.err << "kova-batch interpolate: " << problem << '\n';
    return 2;
}

} // namespace

int RunInterpolate(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("interpolate"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs one measurement file");
    int level = 0;
    if (!ParseInt(line.Value("--level"), &level) || level < 1 || level > 4)
        return Usage(context, "--level must be 1, 2, 3 or 4");
    std::vector<int> numbers;
    if (line.Has("--targets") && !ParseIntList(line.Value("--targets"), &numbers))
        return Usage(context, "--targets must be a list of target numbers");

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    const int targets = job.Document().Track().GetTargetCount();
    std::vector<int> selected;
    for (int t = 1; t <= targets && !line.Has("--targets"); ++t)
        selected.push_back(t - 1);
    for (int number : numbers) {
        if (number < 1 || number > targets)
            return Usage(context, "target " + std::to_string(number) + " is not in 1.." +
                                      std::to_string(targets));
        selected.push_back(number - 1);
    }
    if (InterpolateLogic::Run(job.Document(), selected, level, nullptr) != 1) return 1;
    return job.SaveForVerb(line.Value("-o"), *context.err, "interpolate");
}

} // namespace kova::cli
