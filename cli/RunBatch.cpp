#include "HelpPrinter.h"
#include "ShowParams.h"
#include "Verb.h"
#include "Verbs.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kUsage = 2;

// The options before the verb, and where the verb starts.
struct GlobalLine {
    bool explicitConfig = false;
    bool showParams = false;
    bool version = false;
    bool help = false;
    std::size_t verb = 0;
};

bool IsOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

bool ParseGlobal(const std::vector<std::string>& args, VerbContext& context, GlobalLine* line) {
    std::size_t i = 0;
    for (; i < args.size() && IsOption(args[i]); ++i) {
        const std::string& word = args[i];
        if (word == "--cfg") {
            if (i + 1 >= args.size()) {
                *context.err << "kova-batch: --cfg needs a file\n";
                return false;
            }
            context.configPath = args[++i];
            line->explicitConfig = true;
        } else if (word == "--show-params") {
            line->showParams = true;
        } else if (word == "--version") {
            line->version = true;
        } else if (word == "--help" || word == "-h") {
            line->help = true;
        } else {
            *context.err << "kova-batch: unknown option " << word << " (before the verb)\n";
            return false;
        }
    }
    line->verb = i;
    return true;
}

// A configuration named on the command line must be there; a missing
// default one means the defaults, which the verbs that read it say.
bool ConfigUsable(VerbContext& context, const GlobalLine& line, bool readsConfiguration) {
    std::error_code error;
    if (line.explicitConfig && !std::filesystem::is_regular_file(context.configPath, error)) {
        *context.err << "kova-batch: --cfg " << context.configPath << ": "
                     << (std::filesystem::exists(context.configPath, error) ? "not a regular file"
                                                                            : "no such file")
                     << '\n';
        return false;
    }
    if (!line.explicitConfig && readsConfiguration &&
        !std::filesystem::exists(context.configPath, error))
        *context.err << "kova-batch: no " << context.configPath
                     << " in the current folder; using the default parameters\n";
    return true;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& word) { return word == "--help" || word == "-h"; });
}

int RunVerb(const Verb& verb, const std::vector<std::string>& args, std::size_t first,
            VerbContext& context, const GlobalLine& line) {
    context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(first) + 1, args.end());
    const VerbHelp* help = FindVerbHelp(verb.name);
    if (help && AsksForHelp(context.args)) {
        PrintVerbHelp(*help, *context.out);
        return 0;
    }
    if (line.showParams) {
        *context.err << "kova-batch: --show-params runs without a verb\n";
        return kUsage;
    }
    if (!ConfigUsable(context, line, verb.readsConfiguration)) return kUsage;
    return verb.run(context);
}

} // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    VerbContext context;
    context.out = &out;
    context.err = &err;
    GlobalLine line;
    if (!ParseGlobal(args, context, &line)) return kUsage;
    if (line.version) return RunVersion(context);
    if (line.help) {
        PrintOverview(out);
        return 0;
    }
    if (line.verb >= args.size()) {
        if (line.showParams)
            return ConfigUsable(context, line, true) ? ShowParams(context) : kUsage;
        PrintOverview(err);
        return kUsage;
    }
    for (const Verb& verb : Verbs())
        if (args[line.verb] == verb.name) return RunVerb(verb, args, line.verb, context, line);
    err << "kova-batch: unknown verb " << args[line.verb] << '\n';
    PrintOverview(err);
    return kUsage;
}

} // namespace kova::cli
