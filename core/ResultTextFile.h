#pragma once

#include "CPtFile.h"

#include <string>
#include <vector>

// The text of a result window as a file (.tr1 or .txt): exactly the lines
// of the table, GB18030 with CR LF on disk, saved through a temporary file
// so that a failed save keeps the old file. The result text window saves
// through it; the command line writes its tables with it.
class ResultTextFile : public CPtFile {
public:
    // `firstFilterName` names the .tr1 entry of the save dialog: "2D Tr File"
    // (position/velocity) or "2D跟踪文件" (the other analyses).
    explicit ResultTextFile(const std::string& firstFilterName = "2D Tr File");

    using CPtFile::Load;
    using CPtFile::Save;
    // Writes the text; 1 success, 0 failure.
    int Save(CFile* file) override;

    void Clear() { lines_.clear(); }
    // One line as the text window receives it, normally ending in "\n".
    void AddString(const std::string& line) { lines_.push_back(line); }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // The whole text in memory (UTF-8, line feeds).
    std::string Text() const;

private:
    std::vector<std::string> lines_;
};
