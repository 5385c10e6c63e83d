#include "FrameSource.h"

#include <filesystem>
#include <system_error>

std::string FrameSource::StoredDirectory(const std::string& directory) {
    std::error_code ec;
    std::string path = directory.empty() ? std::string(".") : directory;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (!ec) path = absolute.lexically_normal().string();
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}
