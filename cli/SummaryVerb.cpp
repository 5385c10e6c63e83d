// kova-batch summary M.TRK: the measurement summary lines.
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "MeasureJob.h"
#include "TextSink.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {
namespace {

// Prints each string as it comes (the strings carry their line feeds).
class StreamSink : public TextSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void AddString(const std::string& text) override { out_ << text; }

private:
    std::ostream& out_;
};

} // namespace

int RunSummary(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("summary"), &error) ||
        line.Positional().size() != 1) {
        *context.err << "kova-batch summary: "
                     << (error.empty() ? "needs one measurement file" : error) << '\n';
        return 2;
    }
    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    StreamSink sink(*context.out);
    job.Document().Track().AddSummary(&sink);
    return 0;
}

} // namespace kova::cli
