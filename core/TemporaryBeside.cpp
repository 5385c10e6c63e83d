#include "TemporaryBeside.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kova {

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t FinalMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string ReserveTemporaryBeside(const std::string& target) {
    const std::string pattern = DirectoryOf(target) + "/pfXXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd < 0) return {};
    const bool ok = ::fchmod(fd, FinalMode(target)) == 0;
    ::close(fd);
    if (!ok) {
        ::unlink(name.data());
        return {};
    }
    return name.data();
}

bool IsFolderPath(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace kova
