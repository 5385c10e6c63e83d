#pragma once

#include <cstddef>
#include <string>

// Text on disk versus text in memory: the program holds UTF-8; every keyed or
// text file it writes is GB18030 (byte-identical to GBK for GBK characters,
// and able to hold every other character).
namespace kova {

// UTF-8 -> GB18030. Invalid UTF-8 sequences become '?'.
std::string ToDiskText(const std::string& utf8);

// GB18030 (or GBK, or plain ASCII) -> UTF-8. Invalid bytes become U+FFFD.
std::string FromDiskText(const std::string& gb18030);

// Width of a text as the GB18030 byte count (ASCII 1, Chinese 2).
int DiskWidth(const std::string& utf8);

// The longest prefix of `utf8` whose GB18030 form has at most `maxBytes`
// bytes, cut at a character boundary.
std::string TruncateToDiskBytes(const std::string& utf8, std::size_t maxBytes);

// Length in bytes of the UTF-8 character starting with `lead` (1 for a
// stray continuation or invalid byte, so callers always advance).
std::size_t Utf8CharLength(unsigned char lead);

} // namespace kova
