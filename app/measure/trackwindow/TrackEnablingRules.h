#pragma once

#include "TrackControls.h"
#include "TrackParams.h"

// The enabling rules of the tracking window: by image type, binarisation
// method and target setting, and everything but 停止 off during a run.
TrackEnabling ComputeTrackEnabling(const TrackFields& fields, TrackParams::PickupMode method,
                                   bool running);
