// Feeds arbitrary bytes to the AVI header reader and checks that whatever it
// accepts is within the limits its callers rely on.
#include "CAviHeader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char path[] = "/tmp/kova-fuzz-avi-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 0;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        CAviHeader header;
        if (header.Read(path)) {
            if (header.Width() < 1 || header.Width() > CAviHeader::kMaxSide ||
                header.Height() < 1 || header.Height() > CAviHeader::kMaxSide ||
                header.FrameCount() < 1 ||
                static_cast<std::int64_t>(header.Width()) * header.Height() >
                    CAviHeader::kMaxPixels ||
                static_cast<std::size_t>(header.FrameCount()) > size / 8 || header.Scale() == 0 ||
                header.Rate() == 0 || header.Handler().size() > 4)
                __builtin_trap();
            (void)header.PropertyText();
        }
    }
    unlink(path);
    return 0;
}
