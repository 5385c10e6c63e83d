#pragma once

#include "CsvTable.h"
#include "ResultTextFile.h"

#include <string>
#include <utility>

namespace kova {

class Prompter;

// What the result text window saves: the table's lines as a .tr1/.txt text
// file and, when the analysis gave one, its CSV table. Saving asks for a
// name through the prompter and writes by the name's extension: ".csv"
// writes the CSV table, any other name the text. A failed save shows the
// file base's save error and keeps the old file.
class ResultTextExport {
public:
    // The .tr1 entry's name of the save dialog ("2D Tr File" or "2D跟踪文件").
    void SetFilterName(const std::string& filterName) { filterName_ = filterName; }
    void Clear();
    void AddLine(const std::string& line) { text_.AddString(line); }
    void SetCsv(CsvTable csv) { csv_ = std::move(csv); }

    std::string Text() const { return text_.Text(); }
    const CsvTable& Csv() const { return csv_; }
    bool HasCsv() const { return !csv_.Empty(); }

    // The save dialog's filter: the text entries, the CSV entry when there
    // is a CSV table, then all files.
    std::string Filter() const;
    // Asks for a name and saves; false when cancelled or failed.
    bool Save(Prompter& prompter);
    // Saves to `path` by its extension; false on failure (nothing shown).
    bool SaveTo(const std::string& path);

private:
    static bool IsCsvName(const std::string& path);

    std::string filterName_ = "2D Tr File";
    ResultTextFile text_;
    CsvTable csv_;
};

} // namespace kova
