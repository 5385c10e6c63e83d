#include "ResultTextExport.h"

#include "CsvFile.h"
#include "Prompter.h"

#include <algorithm>
#include <cctype>

namespace kova {

void ResultTextExport::Clear() {
    text_.Clear();
    csv_ = CsvTable();
}

std::string ResultTextExport::Filter() const {
    const std::string csvEntry = HasCsv() ? "CSV File(*.csv)|*.csv|" : "";
    return filterName_ + "(*.tr1)|*.tr1|Text File(*.txt)|*.txt|" + csvEntry +
           "All Files(*.*)|*.*||";
}

bool ResultTextExport::Save(Prompter& prompter) {
    text_.SetFilter(Filter());
    std::string path;
    if (!text_.ChooseSavePath(prompter, &path)) return false;
    if (SaveTo(path)) return true;
    CPtFile::SaveError(prompter);
    return false;
}

bool ResultTextExport::SaveTo(const std::string& path) {
    if (HasCsv() && IsCsvName(path)) return CsvFile(csv_).Save(path) != 0;
    return text_.Save(path) != 0;
}

bool ResultTextExport::IsCsvName(const std::string& path) {
    std::string base, suffix;
    CPtFile::SplitSuffix(path, &base, &suffix);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == "csv";
}

} // namespace kova
