// kova-batch transform M.TRK --ref-frame R [--position P] [--axis A B]
// [-o OUT.TRK]: the frame coordinate transform; targets counted from 1.
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "CoordTransformLogic.h"
#include "MeasureJob.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {
namespace {

int Usage(VerbContext& context, const std::string& problem) {
    *context.err << "kova-batch transform: " << problem << '\n';
    return 2;
}

// A target number 1..targets into a 0-based index.
bool TargetIndex(const std::string& text, int targets, int* index) {
    int number = 0;
    if (!ParseInt(text, &number) || number < 1 || number > targets) return false;
    *index = number - 1;
    return true;
}

} // namespace

int RunTransform(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("transform"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs one measurement file");
    CoordTransformLogic transform;
    if (!ParseInt(line.Value("--ref-frame"), &transform.referenceFrame))
        return Usage(context, "--ref-frame needs a frame number");
    transform.positionOn = line.Has("--position") ? 1 : 0;
    transform.axisOn = line.Has("--axis") ? 1 : 0;

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    const int targets = job.Document().Track().GetTargetCount();
    if (transform.positionOn &&
        !TargetIndex(line.Value("--position"), targets, &transform.positionTarget))
        return Usage(context, "--position needs a target number in 1.." + std::to_string(targets));
    if (transform.axisOn) {
        const std::vector<std::string> axis = line.Values("--axis");
        if (!TargetIndex(axis[0], targets, &transform.axisFirst) ||
            !TargetIndex(axis[1], targets, &transform.axisSecond))
            return Usage(context,
                         "--axis needs two target numbers in 1.." + std::to_string(targets));
    }
    bool succeeded = false;
    if (!transform.Run(job.Document(), nullptr, &succeeded) || !succeeded) return 1;
    return job.SaveForVerb(line.Value("-o"), *context.err, "transform");
}

} // namespace kova::cli
