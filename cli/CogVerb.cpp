// kova-batch cog M.TRK [--female] [--outputs 1,2,...] [-o OUT.TRK]: the body
// centre of gravity command; outputs numbered 1..22 (1 = whole body).
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "GravityLogic.h"
#include "MeasureJob.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {
namespace {

int Usage(VerbContext& context, const std::string& problem) {
    *context.err << "kova-batch cog: " << problem << '\n';
    return 2;
}

} // namespace

int RunCog(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("cog"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs one measurement file");
    GravityChoices choices;
    choices.sex = line.Has("--female") ? 1 : 0;
    if (line.Has("--outputs")) {
        std::vector<int> outputs;
        if (!ParseIntList(line.Value("--outputs"), &outputs))
            return Usage(context, "--outputs must be a list of output numbers");
        choices.outputs.fill(false);
        for (int output : outputs) {
            if (output < 1 || output > GravityChoices::kOutputCount)
                return Usage(context, "output " + std::to_string(output) + " is not in 1..22");
            choices.outputs[static_cast<std::size_t>(output - 1)] = true;
        }
    }
    ConsolePrompter prompter(*context.err);
    if (!GravityLogic::CheckChoices(choices, prompter)) return 2;
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    MeasureDocument& doc = job.Document();
    if (!GravityLogic::ComputeGravity(choices, doc.Track(), doc.Info(), doc.DataServer(),
                                      doc.Client(), prompter))
        return 1;
    return job.SaveForVerb(line.Value("-o"), *context.err, "cog");
}

} // namespace kova::cli
