// Feeds arbitrary bytes to the BMP header reader and decoder: malformed files
// must be refused or decoded to an image of the header's size, never crash.
#include "CBmpFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kova::CBmpFile::Header header;
    const int parsed = kova::CBmpFile::ParseHeader(data, size, header);
    for (bool color : {false, true}) {
        cv::Mat image;
        kova::CBmpFile::Header decodedHeader;
        const int decoded = kova::CBmpFile::Decode(data, size, color, image, &decodedHeader);
        if (decoded == kova::CBmpFile::kOk &&
            (parsed != kova::CBmpFile::kOk || image.cols != header.width ||
             image.rows != header.height || image.channels() != (color ? 3 : 1))) {
            __builtin_trap();
        }
    }
    return 0;
}
