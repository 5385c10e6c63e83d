#pragma once

#include "CPtFile.h"
#include "CsvTable.h"

#include <string>

namespace kova {

// A CSV table as a file for a spreadsheet: UTF-8 with a byte-order mark,
// comma-separated, CR LF line ends, cells quoted when they hold a comma, a
// quote or a line end (quotes doubled). Saved through a temporary file like
// every file of ours, so a failed save keeps the old file.
class CsvFile : public CPtFile {
public:
    explicit CsvFile(CsvTable table = {});

    using CPtFile::Load;
    using CPtFile::Save;
    int Save(CFile* file) override;

    void SetTable(CsvTable table) { table_ = std::move(table); }
    const CsvTable& Table() const { return table_; }
    // The whole file as it is written.
    static std::string Text(const CsvTable& table);

private:
    CsvTable table_;
};

} // namespace kova
