#pragma once

#include "Verb.h"

// The entry points of the verbs, one file each.
namespace kova::cli {

int RunVersion(VerbContext& context);
int RunTrack(VerbContext& context);
int RunDemo(VerbContext& context);
int RunBench(VerbContext& context);
int RunSummary(VerbContext& context);
int RunSmooth(VerbContext& context);
int RunInterpolate(VerbContext& context);
int RunCog(VerbContext& context);
int RunTransform(VerbContext& context);
int RunMerge(VerbContext& context);
int RunImage(VerbContext& context);
int RunTable(VerbContext& context);

} // namespace kova::cli
