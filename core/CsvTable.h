#pragma once

#include <string>
#include <vector>

namespace kova {

// A table for a spreadsheet: one header row (column names with their
// units) and the data rows, every cell already as text. Written as CSV by
// `CsvFile`.
struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    bool Empty() const { return header.empty(); }
};

} // namespace kova
