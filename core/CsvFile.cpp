#include "CsvFile.h"

namespace kova {
namespace {

std::string Cell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void AddRow(const std::vector<std::string>& cells, std::string* text) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) *text += ',';
        *text += Cell(cells[i]);
    }
    *text += "\r\n";
}

} // namespace

CsvFile::CsvFile(CsvTable table) : table_(std::move(table)) {
    SetFilter("CSV File(*.csv)|*.csv|All Files(*.*)|*.*||");
    SetDefaultExt("csv");
    SetDefaultName("temp.csv");
    SetBinary(1);
}

std::string CsvFile::Text(const CsvTable& table) {
    std::string text = "\xEF\xBB\xBF";
    AddRow(table.header, &text);
    for (const std::vector<std::string>& row : table.rows)
        AddRow(row, &text);
    return text;
}

int CsvFile::Save(CFile* file) {
    if (!file) return 0;
    const std::string text = Text(table_);
    return file->Write(text.data(), text.size()) && !file->Failed() ? 1 : 0;
}

} // namespace kova
