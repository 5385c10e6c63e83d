#include "TrackEnablingRules.h"

TrackEnabling ComputeTrackEnabling(const TrackFields& fields, TrackParams::PickupMode method,
                                   bool running) {
    TrackEnabling e;
    if (running) {
        e.idle = false;
        e.stop = true;
        e.grey = e.colour = e.percent = e.automaticSetting = e.pickup = e.freePolicies = false;
        return e;
    }
    const bool colour = fields.imageType == 1;
    e.colour = colour;
    e.automaticSetting = !colour; // automatic pickup is for grey images only
    e.grey = !colour && method == TrackParams::PickupMode::Band;
    e.percent = !colour && method == TrackParams::PickupMode::Percentage;
    e.pickup = !colour && fields.targetSetting == 1;
    e.freePolicies = fields.targetSetting == 0;
    return e;
}
