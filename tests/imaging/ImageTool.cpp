#include "ImageTool.h"

#include <cstdlib>
#include <opencv2/imgcodecs.hpp>
#include <random>

namespace kova::test {

bool HaveConvert() {
    static const bool have = std::system("convert -version >/dev/null 2>&1") == 0;
    return have;
}

bool RunConvert(const std::string& arguments) {
    return std::system(("convert " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

cv::Mat ConvertDecode(const std::string& path, const std::string& scratchPpm) {
    if (!RunConvert("'" + path + "' -depth 8 '" + scratchPpm + "'")) return cv::Mat();
    return cv::imread(scratchPpm, cv::IMREAD_COLOR);
}

int MaxDifference(const cv::Mat& a, const cv::Mat& b) {
    if (a.size() != b.size() || a.type() != b.type()) return -1;
    cv::Mat difference;
    cv::absdiff(a, b, difference);
    double most = 0.0;
    cv::minMaxLoc(difference.reshape(1), nullptr, &most);
    return static_cast<int>(most);
}

cv::Mat RandomImage(int width, int height, int channels, unsigned seed) {
    std::mt19937 random(seed);
    cv::Mat image(height, width, CV_8UC(channels));
    for (int y = 0; y < height; ++y) {
        uchar* row = image.ptr<uchar>(y);
        for (int x = 0; x < width * channels; ++x)
            row[x] = static_cast<uchar>(random() & 0xFF);
    }
    return image;
}

} // namespace kova::test
