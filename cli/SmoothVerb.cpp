// kova-batch smooth M.TRK [-o OUT.TRK]: one pass of the "平滑化" command.
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "MeasureJob.h"
#include "SmoothingLogic.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {

int RunSmooth(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("smooth"), &error) || line.Positional().size() != 1) {
        *context.err << "kova-batch smooth: "
                     << (error.empty() ? "needs one measurement file" : error) << '\n';
        return 2;
    }
    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    if (SmoothingLogic::RunCommand(job.Document(), nullptr) != 1) return 1;
    return job.SaveForVerb(line.Value("-o"), *context.err, "smooth");
}

} // namespace kova::cli
