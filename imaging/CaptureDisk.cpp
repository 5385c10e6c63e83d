#include "CaptureDisk.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kova {

namespace {

std::mutex queryMutex;
CaptureDisk::FreeBytesQuery& Query() {
    static CaptureDisk::FreeBytesQuery query;
    return query;
}

std::string FolderOf(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return path;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace

void CaptureDisk::SetFreeBytesQueryForTest(FreeBytesQuery query) {
    const std::lock_guard<std::mutex> lock(queryMutex);
    Query() = std::move(query);
}

std::int64_t CaptureDisk::FreeBytes(const std::string& path) {
    const std::string folder = FolderOf(path);
    {
        const std::lock_guard<std::mutex> lock(queryMutex);
        if (Query()) return Query()(folder);
    }
    struct statvfs figures {};
    if (::statvfs(folder.c_str(), &figures) != 0) return 0;
    const auto blocks = static_cast<std::uint64_t>(figures.f_bavail);
    const auto size = static_cast<std::uint64_t>(figures.f_frsize);
    const std::uint64_t bytes =
        blocks > static_cast<std::uint64_t>(INT64_MAX) / std::max<std::uint64_t>(size, 1)
            ? static_cast<std::uint64_t>(INT64_MAX)
            : blocks * size;
    return static_cast<std::int64_t>(bytes);
}

std::int64_t CaptureDisk::FramesThatFit(std::int64_t freeBytes, std::int64_t reserveBytes,
                                        int width, int height) {
    if (width <= 0 || height <= 0 || freeBytes <= reserveBytes) return 0;
    const std::int64_t frameBytes = std::int64_t{width} * height * 3;
    return std::min<std::int64_t>((freeBytes - reserveBytes) / frameBytes, INT_MAX);
}

bool CaptureDisk::CopyFile(const std::string& from, const std::string& to, std::string* error) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        *error = "cannot read " + from;
        return false;
    }
    const std::filesystem::path target(to);
    std::string temporary =
        (target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path()) /
        ("." + target.filename().string() + ".XXXXXX");
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        *error = "cannot write in the folder of " + to;
        return false;
    }
    // The copy gets the permissions of a newly created file, not mkstemp's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    bool ok = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        out.flush();
        ok = out.good() && !in.bad();
    }
    std::error_code failure;
    if (ok) std::filesystem::rename(temporary, target, failure);
    if (!ok || failure) {
        std::filesystem::remove(temporary, failure);
        *error = "cannot write " + to;
        return false;
    }
    return true;
}

} // namespace kova
