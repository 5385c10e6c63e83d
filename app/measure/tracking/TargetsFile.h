#pragma once

#include <string>
#include <vector>

// A targets file of the command line: one target a line,
//   x y [w h [low high [percent] | rl rh gl gh bl bh]]
// the position, its own search window size, and its own grey band (with the
// percentage of the p-tile method) or colour bands. Blank lines and lines
// starting with '#' are ignored.
class TargetsFile {
public:
    struct Entry {
        float x = 0.0f;
        float y = 0.0f;
        int width = 0; // 0: not given
        int height = 0;
        bool hasGrey = false;
        int grey[2] = {0, 0};
        bool hasPercent = false;
        float percent = 0.0f;
        bool hasColour = false;
        int colour[6] = {0, 0, 0, 0, 0, 0};
        int line = 0; // line number in the file
    };

    // False with `error` naming the line on malformed or out-of-range input.
    static bool Parse(const std::string& text, std::vector<Entry>* entries, std::string* error);
    static bool Load(const std::string& path, std::vector<Entry>* entries, std::string* error);
};
