#pragma once

#include <opencv2/core.hpp>
#include <string>

namespace kova::test {

// ImageMagick's convert, when installed: tests that compare with it skip
// cleanly without it.
bool HaveConvert();
// Runs convert with the given arguments (quoted by the caller); true on success.
bool RunConvert(const std::string& arguments);
// How ImageMagick itself decodes a file: 8-bit BGR, empty on failure.
cv::Mat ConvertDecode(const std::string& path, const std::string& scratchPpm);
// Largest absolute difference of two images of one size and type; -1 otherwise.
int MaxDifference(const cv::Mat& a, const cv::Mat& b);
// A random 8-bit image of the given channels, reproducible by seed.
cv::Mat RandomImage(int width, int height, int channels, unsigned seed);

} // namespace kova::test
