#pragma once

#include "Verb.h"

// The entry points of the verbs, one file each.
namespace kova::cli {

int RunVersion(VerbContext& context);
int RunHelp(VerbContext& context);
int RunTrack(VerbContext& context);
int RunInspect(VerbContext& context);
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
int RunCalibrate(VerbContext& context);
int RunExport(VerbContext& context);
int RunRender(VerbContext& context);

} // namespace kova::cli
