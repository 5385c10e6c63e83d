#include "Verb.h"
#include "Verbs.h"

namespace kova::cli {

const std::vector<Verb>& Verbs() {
    // Each verb lives in its own file; add it here once it works.
    static const std::vector<Verb> verbs = {
        {"version", "", RunVersion},
        {"track",
         "(--series FIRST.BMP LAST.BMP | --avi FILE [--range A B]) --out R.TRK "
         "(--targets FILE | --pickup) [--mode manual|semi|auto] [--colour] [--clicks FILE] "
         "[--window W H]",
         RunTrack},
        {"demo", "DIR [--frames N] [--size WxH] [--colour] [--avi]", RunDemo},
        {"bench", "[--frames N] [--dir DIR]", RunBench},
        {"summary", "M.TRK", RunSummary},
        {"smooth", "M.TRK [-o OUT.TRK]", RunSmooth},
        {"interpolate", "M.TRK --level K [--targets 1,3,...] [-o OUT.TRK]", RunInterpolate},
        {"cog", "M.TRK [--female] [--outputs 1,2,...] [-o OUT.TRK]", RunCog},
        {"transform", "M.TRK --ref-frame R [--position P] [--axis A B] [-o OUT.TRK]", RunTransform},
        {"merge", "DIR/HEAD --start N --end M [--mode frames|targets]", RunMerge},
        {"image", "convert IN OUT | info FILE", RunImage},
        {"table",
         "position|displacement|distance|angle M.TRK [--targets 1,2,...] [--items 0,1,...] "
         "[--range L U] [--length-unit mm] [--time-unit s] [--smooth N] [--group frame|target] "
         "[--ref frame:R|position:X,Y|target:T] [--pair T1-T2[:C[:S]]]... [--mode 0-3] "
         "[--points P1,P2[,P3[,P4]]] [--other-side] [--csv] [-o FILE]",
         RunTable},
    };
    return verbs;
}

} // namespace kova::cli
