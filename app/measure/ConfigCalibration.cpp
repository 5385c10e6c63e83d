#include "ConfigCalibration.h"

#include "CCfgFile.h"

MeasureHeader HeaderWithConfigCalibration(CCfgFile& config) {
    MeasureHeader h;
    // The start-up defaults of the calibration keys.
    h.interval = 1;
    h.frameRate = 30;
    h.timeUnit = 4;
    h.scale = 1.0f;
    h.lengthUnit = 4;
    h.directY = 1;
    config.GetValue("Calibration2DInterval", &h.interval);
    config.GetValue("Calibration2DFrames", &h.frameRate);
    config.GetValue("Calibration2DTimeUnit", &h.timeUnit);
    config.GetValue("Calibration2DLength", &h.scale);
    config.GetValue("Calibration2DLengthUnit", &h.lengthUnit);
    config.GetValue("Calibration2DOriginX", &h.originX);
    config.GetValue("Calibration2DOriginY", &h.originY);
    config.GetValue("Calibration2DAngle", &h.angle);
    config.GetValue("Calibration2DDirectY", &h.directY);
    return h;
}
