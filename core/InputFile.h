#pragma once

#include <cstdio>
#include <string>

namespace kova {

// Opening a file the user named as input. Only a regular file is opened: a
// FIFO, a directory, a socket or a device is refused at once, never waited
// on. The name is checked before anything is opened (opening a device can
// have effects), opened read-only without blocking and checked again on the
// descriptor, so a name swapped in between is still refused. Symbolic links
// are followed: a linked input is an input.
enum class InputError { None, CannotOpen, NotRegular };

// A descriptor with blocking reads, or -1 with `error` set.
int OpenInputFd(const std::string& path, InputError* error = nullptr);
// The same as a stream for binary reading, or null.
std::FILE* OpenInputFile(const std::string& path, InputError* error = nullptr);

} // namespace kova
