#include "OutputPlace.h"

#include <QDir>
#include <QString>
#include <QTemporaryFile>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Tries a new file in the folder: rights, a read-only disk and a folder
// that is no folder all show.
bool TakesNewFile(const fs::path& folder) {
    const QString dir = QString::fromStdString(folder.empty() ? std::string(".") : folder.string());
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".kova-probe-XXXXXX")));
    return probe.open();
}

bool Refuse(std::string* error, const std::string& path, const std::string& why) {
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
}

} // namespace

bool OutputPlace::CheckFile(const std::string& path, std::string* error) {
    std::error_code code;
    if (path.empty()) return Refuse(error, "\"\"", "no file name");
    if (fs::is_directory(path, code)) return Refuse(error, path, "it is a folder");
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, code))
        return Refuse(error, path, "no folder " + folder.string());
    if (!TakesNewFile(folder)) return Refuse(error, path, "its folder takes no new file");
    return true;
}

bool OutputPlace::CheckFolder(const std::string& path, std::string* error) {
    std::error_code code;
    if (path.empty()) return Refuse(error, "\"\"", "no folder name");
    fs::path existing = fs::path(path);
    while (!existing.empty() && !fs::exists(existing, code) && existing.parent_path() != existing)
        existing = existing.parent_path();
    if (!existing.empty() && !fs::is_directory(existing, code))
        return Refuse(error, path, existing.string() + " is not a folder");
    if (!TakesNewFile(existing)) return Refuse(error, path, "the folder takes no new file");
    return true;
}
