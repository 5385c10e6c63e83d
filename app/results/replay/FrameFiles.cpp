#include "FrameFiles.h"

#include "CFrameStore.h"
#include "CPtFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <set>

namespace {

constexpr std::size_t kMaxDigits = 9; // numbers stay within an int

// A path as it names a file on disk: links resolved, "." and ".." gone.
std::filesystem::path Normal(const std::string& path) {
    std::error_code error;
    return std::filesystem::weakly_canonical(path, error).lexically_normal();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

} // namespace

kova::FileDialogRequest FrameFiles::Request(const std::string& directory) {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.title = kTitle;
    request.filter = kFilter;
    request.defaultName = "TEMP";
    request.defaultExtension = "BMP";
    request.initialDirectory = directory;
    return request;
}

std::vector<std::string> FrameFiles::Series(const std::string& chosen, int count) {
    std::string directory, name, base, suffix, head, digits;
    CPtFile::SplitPath(chosen, &directory, &name);
    CPtFile::SplitSuffix(name, &base, &suffix);
    if (suffix.empty()) suffix = "BMP";
    CPtFile::SplitNumber(base, &head, &digits);
    if (digits.size() > kMaxDigits) {
        head += digits.substr(0, digits.size() - kMaxDigits);
        digits = digits.substr(digits.size() - kMaxDigits);
    }
    const int width = digits.empty() ? 4 : static_cast<int>(digits.size());
    const long long first = digits.empty() ? 1 : std::stoll(digits);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const long long number = first + i;
        paths.push_back(kova::CFrameStore::Make_fullpath(
            directory,
            kova::CFrameStore::Get_filename_series_new(
                head, suffix, static_cast<int>(std::min<long long>(number, INT_MAX)), width)));
    }
    return paths;
}

bool FrameFiles::MayWrite(const std::vector<std::string>& paths,
                          const std::vector<std::string>& images, kova::Prompter& prompter) {
    std::set<std::filesystem::path> own;
    for (const std::string& image : images)
        own.insert(Normal(image));
    std::vector<std::string> existing;
    for (const std::string& path : paths) {
        if (own.count(Normal(path))) {
            prompter.Show(kOwnImage + path, "确认", kova::MessageIcon::Exclamation);
            return false;
        }
        if (Exists(path)) existing.push_back(path);
    }
    if (existing.empty()) return true;
    std::string text = std::string(kOverwrite) + "\n" + existing.front();
    if (existing.size() > 1) text += "\n(" + std::to_string(existing.size()) + ")";
    return prompter.Show(text, "确认", kova::MessageIcon::Question,
                         kova::MessageButtons::OkCancel) == kova::MessageAnswer::Ok;
}
