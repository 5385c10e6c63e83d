#include "VideoInfo.h"

#include "NumberText.h"

#include <cmath>
#include <numeric>

namespace kova {

namespace {

constexpr double kMaxRate = 10000.0;

std::string DisplayName(const std::string& handler) {
    if (handler == "cvid") return "Cinepak";
    if (handler == "MSVC") return "MS-CRAM";
    if (handler == "mrle") return "MS-RLE";
    return handler;
}

} // namespace

void RateScale(double fps, std::uint32_t* rate, std::uint32_t* scale) {
    if (!(fps > 0.0 && fps <= kMaxRate)) {
        *rate = 0;
        *scale = 1;
        return;
    }
    const auto thousandths = static_cast<std::uint32_t>(std::lround(fps * 1000.0));
    const std::uint32_t divisor = std::gcd(thousandths, 1000u);
    *rate = thousandths / divisor;
    *scale = 1000u / divisor;
}

double VideoInfo::FrameRate() const {
    return scale ? static_cast<double>(rate) / static_cast<double>(scale) : 0.0;
}

double VideoInfo::LengthSeconds() const {
    const double fps = FrameRate();
    return fps > 0 ? frameCount / fps : 0.0;
}

std::string VideoInfo::PropertyText() const {
    if (!IsSupportedDepth()) return " Not supporting the format of file.";
    const std::string name = DisplayName(handler);
    std::string text = " Video length:   " + FormatFixed(LengthSeconds(), 1) + "s  ";
    text += " Size:   " + FormatInt(width) + " x " + FormatInt(height) + "\n\n";
    text += " " + FormatInt(frameCount) + " Frame  ";
    text += " " + FormatInt(bitCount) + " Bit color ";
    if (compression == 0)
        text += " Non-compress " + name + "\n\n";
    else if (compression == 1)
        text += " 2 bytes code " + name + " compress \n\n";
    else if (compression == 2)
        text += " 4 bytes code " + name + " compress \n\n ";
    else
        text += " " + name + " compress \n\n";
    text += "Frame rate: " + FormatFixed(FrameRate(), 1) + " Hz \n\n";
    return text;
}

} // namespace kova
