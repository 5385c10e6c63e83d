#include "Verb.h"
#include "Verbs.h"

namespace kova::cli {

const std::vector<Verb>& Verbs() {
    // Each verb lives in its own file and has its help entry in VerbHelp.cpp;
    // add it here once it works.
    static const std::vector<Verb> verbs = {
        {"version", RunVersion},
        {"help", RunHelp},
        {"track", RunTrack, true},
        {"inspect", RunInspect, true},
        {"demo", RunDemo},
        {"bench", RunBench},
        {"summary", RunSummary},
        {"smooth", RunSmooth},
        {"interpolate", RunInterpolate},
        {"cog", RunCog},
        {"transform", RunTransform},
        {"merge", RunMerge},
        {"image", RunImage},
        {"table", RunTable},
        {"calibrate", RunCalibrate},
        {"export", RunExport},
        {"render", RunRender},
    };
    return verbs;
}

} // namespace kova::cli
