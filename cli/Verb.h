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

// One job of kova-batch. Returns the exit status: 0 on success. Its
// synopsis, options and help are its entry in VerbHelp.cpp.
struct Verb {
    const char* name;
    int (*run)(VerbContext& context);
    // True for a verb that reads the system configuration: without --cfg
    // and without KOVA.CFG a note says that the defaults apply.
    bool readsConfiguration = false;
};

// Every verb of the program, in the order the help lists them.
const std::vector<Verb>& Verbs();

// Runs `kova-batch ARGS...` in process (used by main and by the tests).
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kova::cli
