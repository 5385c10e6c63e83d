#include "Verb.h"

#include <ostream>

namespace kova::cli {
namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: kova-batch [--cfg FILE] VERB [OPTIONS]\n\nverbs:\n";
    for (const Verb& verb : Verbs())
        out << "  " << verb.name << (verb.usage[0] ? " " : "") << verb.usage << '\n';
}

} // namespace

int RunVersion(VerbContext& context) {
    *context.out << "kova-batch 1.0.0\n";
    return 0;
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    VerbContext context;
    context.out = &out;
    context.err = &err;
    std::size_t i = 0;
    while (i < args.size() && args[i] == "--cfg") {
        if (i + 1 >= args.size()) {
            err << "kova-batch: --cfg needs a file\n";
            return 2;
        }
        context.configPath = args[i + 1];
        i += 2;
    }
    if (i >= args.size() || args[i] == "--help" || args[i] == "-h" || args[i] == "help") {
        PrintUsage(i >= args.size() ? err : out);
        return i >= args.size() ? 2 : 0;
    }
    for (const Verb& verb : Verbs()) {
        if (args[i] != verb.name) continue;
        context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
        return verb.run(context);
    }
    err << "kova-batch: unknown verb " << args[i] << '\n';
    PrintUsage(err);
    return 2;
}

} // namespace kova::cli
