#pragma once

#include <string>

// Reads a small text file the user wrote (targets, scripted clicks) whole;
// a missing file, anything but a regular file, or one over 16 MB is refused
// with a reason in `error`.
bool ReadSmallTextFile(const std::string& path, std::string* text, std::string* error);
