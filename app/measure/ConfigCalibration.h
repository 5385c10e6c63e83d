#pragma once

#include "MeasureHeader.h"

class CCfgFile;

// A measurement header carrying the calibration of a configuration, with the
// start-up defaults for keys it lacks; counts and statistics stay zero.
MeasureHeader HeaderWithConfigCalibration(CCfgFile& config);
