#pragma once

#include "Verb.h"

namespace kova::cli {

// kova-batch --show-params: the tracking keys in force (the configuration's
// values over the defaults) and the calibration a track run would write into
// its measurement, one "key value" line each as the configuration file
// writes them. 1 when the configuration cannot be used.
int ShowParams(VerbContext& context);

} // namespace kova::cli
