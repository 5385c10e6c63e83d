#pragma once

#include <string>

namespace kova {

// Whether a file name ends in ".AVI" (any case): such files are read with
// their own RIFF headers.
bool IsAviFileName(const std::string& path);
// Whether a file name ends in the extension of a video container the
// decoder reads: AVI, MP4, MOV, MKV and the other common ones (any case).
bool IsVideoFileName(const std::string& path);

} // namespace kova
