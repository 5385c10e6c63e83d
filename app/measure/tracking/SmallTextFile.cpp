#include "SmallTextFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;
}

bool ReadSmallTextFile(const std::string& path, std::string* text, std::string* error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::ifstream file(path, std::ios::binary);
    if (ec || !file) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    if (size > kMaxFileBytes) {
        if (error) *error = path + ": larger than 16 MB";
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    *text = content.str();
    return true;
}
