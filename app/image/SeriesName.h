#pragma once

#include <string>
#include <vector>

// Names of the files of a numbered image series: head + number + "." +
// extension, the number zero-padded to a digit count (4 by default).
class SeriesName {
public:
    static constexpr int kDigits = 4;

    // Splits a file name (without directory) into head, number and
    // extension: the last "." must not be the first character, the character
    // before it must be a digit, and the digits before the dot form the
    // number. The case of head and extension is kept. False when a rule is
    // broken or the number does not fit an int.
    static bool Split(const std::string& name, std::string* head, int* number, std::string* ext);

    // head + number + "." + ext; the number padded with zeros to `digits`
    // places, unpadded when digits is 0 or less.
    static std::string Format(const std::string& head, int number, const std::string& ext,
                              int digits = kDigits);

    // The digit count of a series file name: the digits before its last ".",
    // kDigits when there are none.
    static int DigitsOf(const std::string& name);

    // The names of `count` files starting at `first`, number i being
    // first + i x step, each joined to `directory`.
    static std::vector<std::string> List(const std::string& directory, const std::string& head,
                                         const std::string& ext, int first, int count, int step,
                                         int digits = kDigits);

    // The directory part of a path (text before its last "/" or "\"; empty
    // when there is none) and the name after it.
    static std::string DirectoryOf(const std::string& path);
    static std::string NameOf(const std::string& path);
    // Directory joined with a name ("/" added unless the directory ends
    // with a separator; the name alone for an empty directory).
    static std::string Join(const std::string& directory, const std::string& name);
    // ASCII upper case.
    static std::string Upper(const std::string& text);
};
