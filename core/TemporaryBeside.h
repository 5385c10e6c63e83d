#pragma once

#include <string>

namespace kova {

// Reserves a new empty file "pfXXXXXX.tmp" beside `target` (the pattern of
// the file base's temporaries, so a killed run leaves nothing a later save
// does not clean up), created exclusively and given the mode of the file it
// will replace, or that of a plain creation. Empty when the folder takes no
// new file.
std::string ReserveTemporaryBeside(const std::string& target);

// Whether a folder stands at `path` (no file can be renamed onto it).
bool IsFolderPath(const std::string& path);

} // namespace kova
