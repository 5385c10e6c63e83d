// Feeds arbitrary bytes to `image convert` of a text image, which sizes its
// frame from the file's position and size. Whatever it converts must convert
// again from its own output to the same bytes.
#include "Verb.h"

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

bool Convert(const std::string& in, const std::string& out) {
    std::ostringstream text;
    return kova::cli::RunBatch({"image", "convert", in, out}, text, text) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char dir[] = "/tmp/kova-fuzz-txt-XXXXXX";
    if (!mkdtemp(dir)) return 0;
    const std::string in = std::string(dir) + "/IN.TXT";
    const std::string once = std::string(dir) + "/ONCE.TXT";
    const std::string twice = std::string(dir) + "/TWICE.TXT";
    if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
        const bool written = std::fwrite(data, 1, size, f) == size;
        if (std::fclose(f) == 0 && written && Convert(in, once)) {
            if (!Convert(once, twice) || ReadAll(once) != ReadAll(twice)) __builtin_trap();
        }
    }
    for (const std::string& path : {in, once, twice})
        unlink(path.c_str());
    rmdir(dir);
    return 0;
}
