#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kova::cli {

// What a verb gets: its arguments (after the verb), the configuration path,
// and the streams for results (standard output) and messages (standard error).
struct VerbContext {
    std::vector<std::string> args;
    std::string configPath = "KOVA.CFG";
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

// One job of kova-batch. Returns the exit status: 0 on success.
struct Verb {
    const char* name;
    const char* usage; // one line: the options after the verb
    int (*run)(VerbContext& context);
};

// Every verb of the program, in the order the help lists them.
const std::vector<Verb>& Verbs();

// Runs `kova-batch ARGS...` in process (used by main and by the tests).
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kova::cli
