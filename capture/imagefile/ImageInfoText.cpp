#include "ImageInfoText.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kThirtyTwoBits = 32;

// The message formats, with the colour count as a number or as a text.
std::string WithCount(const std::string& type, int width, int height, long colors,
                      const char* note) {
    const char* format = "文件类型:  %s\n\n 宽度:  %d  高度:  %d\n\n 颜色数:  %ld%s\n";
    const int size = std::snprintf(nullptr, 0, format, type.c_str(), width, height, colors, note);
    std::vector<char> text(static_cast<std::size_t>(size) + 1);
    std::snprintf(text.data(), text.size(), format, type.c_str(), width, height, colors, note);
    return text.data();
}

std::string WithText(const std::string& type, int width, int height, const char* colors) {
    const char* format = "文件类型:  %s\n\n 宽度:  %d  高度:  %d\n\n 颜色数:  %s\n";
    const int size = std::snprintf(nullptr, 0, format, type.c_str(), width, height, colors);
    std::vector<char> text(static_cast<std::size_t>(size) + 1);
    std::snprintf(text.data(), text.size(), format, type.c_str(), width, height, colors);
    return text.data();
}

} // namespace

std::string ImageInfoText::ForImage(const std::string& type, int width, int height,
                                    int bitsPerPixel) {
    if (bitsPerPixel >= 1 && bitsPerPixel < kThirtyTwoBits)
        return WithCount(type, width, height, 1L << bitsPerPixel, "");
    if (bitsPerPixel == kThirtyTwoBits) return WithText(type, width, height, " 4294967296(2^32)");
    // Deeper samples (48 or 64 bits) are named by their power only.
    const std::string power = " 2^" + std::to_string(bitsPerPixel);
    return WithText(type, width, height, power.c_str());
}

std::string ImageInfoText::ForTextImage(int width, int height, bool color) {
    return color ? WithCount("Text", width, height, 16777216L, "彩色数据.")
                 : WithCount("Text", width, height, 256L, "灰度数据.");
}
