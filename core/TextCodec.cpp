#include "TextCodec.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace kova {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Converts with iconv; an unconvertible or invalid input sequence is replaced
// by `replacement` and skipped by one input character.
std::string Convert(const std::string& in, const char* to, const char* from,
                    const std::string& replacement, bool inputIsUtf8) {
    iconv_t raw = iconv_open(to, from);
    if (raw == reinterpret_cast<iconv_t>(-1)) return in;
    std::unique_ptr<void, IconvCloser> cd(raw);
    std::string out;
    out.reserve(in.size() * 2);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        std::size_t rc = iconv(raw, &src, &left, &dst, &room);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: skip one character of the input.
        out += replacement;
        std::size_t skip = 1;
        if (inputIsUtf8) {
            skip = Utf8CharLength(static_cast<unsigned char>(*src));
        } else if (static_cast<unsigned char>(*src) >= 0x81 && left >= 2) {
            skip = 2;
        }
        if (skip > left) skip = left;
        src += skip;
        left -= skip;
        iconv(raw, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

} // namespace

std::size_t Utf8CharLength(unsigned char lead) {
    if (lead < 0xC2) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 1;
}

std::string ToDiskText(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    return Convert(utf8, "GB18030", "UTF-8", "?", true);
}

std::string FromDiskText(const std::string& gb18030) {
    if (IsAscii(gb18030)) return gb18030;
    return Convert(gb18030, "UTF-8", "GB18030", "\xEF\xBF\xBD", false);
}

int DiskWidth(const std::string& utf8) {
    if (IsAscii(utf8)) return static_cast<int>(utf8.size());
    return static_cast<int>(ToDiskText(utf8).size());
}

std::string TruncateToDiskBytes(const std::string& utf8, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t len = Utf8CharLength(static_cast<unsigned char>(utf8[pos]));
        if (pos + len > utf8.size()) len = utf8.size() - pos;
        std::size_t width = len == 1 ? 1 : ToDiskText(utf8.substr(pos, len)).size();
        if (used + width > maxBytes) break;
        used += width;
        pos += len;
    }
    return utf8.substr(0, pos);
}

} // namespace kova
