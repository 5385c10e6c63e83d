#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kova {

namespace {

int Refuse(InputError why, InputError* error) {
    if (error) *error = why;
    return -1;
}

} // namespace

int OpenInputFd(const std::string& path, InputError* error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Refuse(InputError::CannotOpen, error);
    if (!S_ISREG(info.st_mode)) return Refuse(InputError::NotRegular, error);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Refuse(InputError::CannotOpen, error);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Refuse(InputError::NotRegular, error);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (error) *error = InputError::None;
    return fd;
}

std::FILE* OpenInputFile(const std::string& path, InputError* error) {
    const int fd = OpenInputFd(path, error);
    if (fd < 0) return nullptr;
    std::FILE* stream = ::fdopen(fd, "rb");
    if (!stream) {
        ::close(fd);
        if (error) *error = InputError::CannotOpen;
    }
    return stream;
}

} // namespace kova
