#pragma once

#include "CPtFile.h"

// Lets the user choose a file and records the path, for callers that read
// or write the file themselves. Reads and writes nothing.
class CFileUtil : public CPtFile {
public:
    using CPtFile::Load;
    int Load(CFile* file) override;
    int Save(CFile* file) override;
    // Records the path; no file is written.
    int Save(const std::string& path);
    // The save dialog; OK records the chosen path.
    int Save(kova::Prompter& prompter);
};
