#include "VideoFileName.h"

#include <algorithm>
#include <cctype>

namespace kova {

namespace {

// The extension after the last "." of the file name, in capitals; empty
// when the name has none.
std::string UpperExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}

} // namespace

bool IsAviFileName(const std::string& path) {
    return UpperExtension(path) == "AVI";
}

bool IsVideoFileName(const std::string& path) {
    static const char* const kExtensions[] = {"AVI", "MP4",  "MOV", "MKV", "M4V",  "WEBM",
                                              "MPG", "MPEG", "TS",  "MTS", "M2TS", "WMV",
                                              "FLV", "3GP",  "OGV", "MXF"};
    const std::string ext = UpperExtension(path);
    return std::any_of(std::begin(kExtensions), std::end(kExtensions),
                       [&](const char* known) { return ext == known; });
}

} // namespace kova
