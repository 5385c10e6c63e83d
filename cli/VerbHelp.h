#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace kova::cli {

// One option of a verb as the help shows it and the parser reads it: the
// number of words in `values` is the number of values the option takes.
struct OptionHelp {
    std::string name;      // "--window"
    std::string values;    // "W H"; empty for an option without values
    std::string meaning;   // what it does
    std::string byDefault; // what happens when it is not given
};

// The help of one verb. Its options are the verb's option table: the verb
// parses its arguments with OptionArity(name), so an option exists exactly
// when it is documented here.
struct VerbHelp {
    std::string verb;
    std::string summary;  // one line for the verb list
    std::string synopsis; // what follows "kova-batch VERB"
    std::vector<OptionHelp> options;
    std::string files; // the formats of the verb's input files, or empty
    std::string example;
};

// Every verb's help, in the order of the verb list.
const std::vector<VerbHelp>& VerbHelps();
// The options before the verb (--cfg, --show-params, --version, --help).
const std::vector<OptionHelp>& GlobalOptions();
// The help of a verb, or nullptr.
const VerbHelp* FindVerbHelp(const std::string& verb);
// The parser's table of a verb: each option with its number of values.
std::map<std::string, int> OptionArity(const std::string& verb);
std::map<std::string, int> OptionArity(const std::vector<OptionHelp>& options);

} // namespace kova::cli
