#include "MeasurePaths.h"

#include "CPtFile.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// "TRI" with the case of each letter of the track suffix; an odd suffix
// gives "tri" when it is lower case and "TRI" otherwise.
std::string InfoSuffixLike(const std::string& suffix) {
    const std::string upper = "TRI";
    std::string result = upper;
    if (suffix.size() == upper.size()) {
        for (std::size_t i = 0; i < upper.size(); ++i) {
            if (std::islower(static_cast<unsigned char>(suffix[i]))) result[i] = Lower(upper[i]);
        }
        return result;
    }
    bool lower = !suffix.empty();
    for (char c : suffix) {
        if (std::isupper(static_cast<unsigned char>(c))) lower = false;
    }
    return lower ? "tri" : upper;
}

} // namespace

bool MeasurePaths::SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::string MeasurePaths::TrackNameFor(const std::string& chosenPath) {
    std::string directory;
    std::string name;
    CPtFile::SplitPath(chosenPath, &directory, &name);
    std::string base;
    std::string suffix;
    CPtFile::SplitSuffix(name, &base, &suffix);
    return SameIgnoringCase(suffix, "TRK") ? chosenPath : chosenPath + ".TRK";
}

std::string MeasurePaths::InfoNameFor(const std::string& trackPath) {
    std::string directory;
    std::string name;
    CPtFile::SplitPath(trackPath, &directory, &name);
    std::string base;
    std::string suffix;
    CPtFile::SplitSuffix(name, &base, &suffix);
    return directory + base + "." + InfoSuffixLike(suffix);
}

std::string MeasurePaths::InfoPathFor(const std::string& trackPath) {
    return FindExisting(InfoNameFor(trackPath));
}

std::string MeasurePaths::FindExisting(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(fs::u8path(path), error)) return path;
    std::string directory;
    std::string name;
    CPtFile::SplitPath(path, &directory, &name);
    fs::directory_iterator entries(fs::u8path(directory), error);
    if (error) return path;
    for (const fs::directory_entry& entry : entries) {
        const std::string candidate = entry.path().filename().u8string();
        if (SameIgnoringCase(candidate, name)) return directory + candidate;
    }
    return path;
}

std::string MeasurePaths::FindHereOrBeside(const std::string& path, const std::string& besidePath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string here = FindExisting(path);
    if (fs::exists(fs::u8path(here), error)) return here;
    if (besidePath.empty()) return std::string();
    std::string directory, name, besideDirectory, besideName;
    CPtFile::SplitPath(path, &directory, &name);
    CPtFile::SplitPath(besidePath, &besideDirectory, &besideName);
    const std::string beside = FindExisting(besideDirectory + name);
    return fs::exists(fs::u8path(beside), error) ? beside : std::string();
}

std::string MeasurePaths::WithSeparator(const std::string& directory) {
    if (directory.empty()) return directory;
    const char last = directory.back();
    if (last == '/' || last == '\\' || last == ':') return directory;
    return directory + "/";
}
