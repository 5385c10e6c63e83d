#pragma once

#include "VerbHelp.h"

#include <iosfwd>
#include <string>

namespace kova::cli {

// The program's version line, "kova-batch 1.0.0".
std::string VersionLine();
// The overview: usage, options before the verb, the verbs with their summaries.
void PrintOverview(std::ostream& out);
// The whole help of one verb: synopsis, options, input files, example.
void PrintVerbHelp(const VerbHelp& help, std::ostream& out);
// The manual page kova-batch(1) in roff, from the same texts.
void PrintManPage(std::ostream& out);

} // namespace kova::cli
