// kova-batch help [VERB] [--man] and kova-batch version.
#include "CommandLine.h"
#include "HelpPrinter.h"
#include "Verbs.h"

#include <ostream>

namespace kova::cli {

int RunVersion(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("version"), &error) || !line.Positional().empty()) {
        *context.err << "kova-batch version: " << (error.empty() ? "takes no arguments" : error)
                     << '\n';
        return 2;
    }
    *context.out << VersionLine() << '\n';
    return 0;
}

int RunHelp(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("help"), &error) || line.Positional().size() > 1) {
        *context.err << "kova-batch help: " << (error.empty() ? "give at most one verb" : error)
                     << '\n';
        return 2;
    }
    if (line.Has("--man")) {
        PrintManPage(*context.out);
        return 0;
    }
    if (line.Positional().empty()) {
        PrintOverview(*context.out);
        return 0;
    }
    const VerbHelp* help = FindVerbHelp(line.Positional()[0]);
    if (!help) {
        *context.err << "kova-batch help: unknown verb " << line.Positional()[0] << '\n';
        return 2;
    }
    PrintVerbHelp(*help, *context.out);
    return 0;
}

} // namespace kova::cli
