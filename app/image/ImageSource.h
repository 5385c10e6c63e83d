#pragma once

#include <string>
#include <vector>

class CCfgFile;

// Where the motion images of a measurement come from: a numbered BMP series
// or a frame range of one video file (AVI, MP4, MOV, MKV ...), as the view
// holds it and as the .TRI image keys store it: every video as an AVI.
struct ImageSource {
    enum Kind { kBmpSeries = 0, kAviFile = 1 };

    std::string directory;
    std::string head = "TEMP";
    std::string ext = "BMP";
    int firstNumber = 0;
    int lastNumber = 0;
    int frames = 0;
    std::string firstFile = "TEMP0001.BMP";
    std::string lastFile = "TEMP0001.BMP";
    std::string aviFile; // name only; the directory is `directory`
    int aviFirst = 0;
    int aviLast = 0;
    int kind = kBmpSeries;

    bool IsAvi() const { return kind == kAviFile; }
    // The series keeps the digit count of its first file's name.
    int Digits() const;
    // The series file of the first number, or the AVI file, with directory.
    std::string FirstImagePath() const;
    std::string AviPath() const;
    // The full paths of the series files first .. last.
    std::vector<std::string> SeriesPaths() const;

    // Writes the description into the .TRI image keys.
    void Store(CCfgFile& info) const;
    // Reads it back; when the file names no image kind the current
    // description is stored instead. True when a description was read.
    bool Restore(CCfgFile& info);
};
