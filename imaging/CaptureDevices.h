#pragma once

#include "CVideoCapture.h"

#include <string>
#include <vector>

namespace kova {

// A V4L2 device node that can capture video.
struct CaptureDevice {
    std::string name; // the driver's card name and the node
    std::string node; // "/dev/videoN"
    int index = 0;    // N, as OpenCV's CAP_V4L2 numbers it
};

// The V4L2 capture devices of this machine, their formats and controls,
// read through the driver's ioctls. Every query opens the node briefly; a
// node that is missing or busy gives nothing.
class CaptureDevices {
public:
    // The capture nodes, by number.
    static std::vector<CaptureDevice> List();
    // Pixel formats, frame sizes and frame rates the device offers.
    static std::vector<CaptureFormat> Formats(const std::string& node);
    // Integer, boolean and menu controls with their current values.
    static std::vector<CaptureControl> Controls(const std::string& node);
    static bool SetControl(const std::string& node, int id, int value);
};

} // namespace kova
