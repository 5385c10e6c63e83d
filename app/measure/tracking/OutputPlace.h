#pragma once

#include <string>

// Checks, before a run, that the extra outputs it is asked for can be
// written, so that the run is refused instead of losing them at its end.
// Nothing is left behind by a check.
class OutputPlace {
public:
    // A file written through a temporary beside it: not a folder, and its
    // folder exists and takes a new file. False with `error` naming it.
    static bool CheckFile(const std::string& path, std::string* error);
    // A folder that exists and takes new files, or that can be made inside
    // an existing folder that takes them.
    static bool CheckFolder(const std::string& path, std::string* error);
};
