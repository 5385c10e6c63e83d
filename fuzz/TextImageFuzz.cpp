// Feeds arbitrary bytes to the text image reader, into grey and colour
// frames of a small store, and checks that nothing is written outside the
// frame and the processing window stays inside it.
#include "CFrameStore.h"
#include "CTextImageReader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

kova::CFrameStore& Store() {
    static kova::CFrameStore store;
    static const bool sized = [] {
        store.Put_nofframe(2);
        store.Put_nofframe_color(1);
        return store.Put_framesize(64, 48) == kova::CFrameStore::kOk;
    }();
    (void)sized;
    return store;
}

void CheckWindow(const kova::CFrameStore& store) {
    const kova::FrameWindow& w = store.Window();
    if (w.x0 < 0 || w.y0 < 0 || w.x1 >= store.Width() || w.y1 >= store.Height() ||
        store.Width() != 64 || store.Height() != 48)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char path[] = "/tmp/kova-fuzz-txt-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 0;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        kova::CFrameStore& store = Store();
        kova::CTextImageReader reader(store);
        reader.Read(path, 1, false);
        CheckWindow(store);
        reader.Read(path, 1, true);
        CheckWindow(store);
        int r = 0, g = 0, b = 0;
        store.Get_frame_monochrome(1, r, g, b);
        reader.Read(path, b, false);
        CheckWindow(store);
        kova::CTextImageReader::Header header;
        if (reader.ReadHeader(path, &header) == 0 &&
            (header.width < 1 || header.height < 1 || header.x0 < 0 || header.y0 < 0 ||
             header.x1 != header.x0 + header.width - 1))
            __builtin_trap();
    }
    unlink(path);
    return 0;
}
