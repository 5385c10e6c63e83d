#include "Verb.h"
#include "Verbs.h"

namespace kova::cli {

const std::vector<Verb>& Verbs() {
    // Each verb lives in its own file; add it here once it works.
    static const std::vector<Verb> verbs = {
        {"version", "", RunVersion},
    };
    return verbs;
}

} // namespace kova::cli
