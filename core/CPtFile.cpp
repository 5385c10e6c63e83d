#include "CPtFile.h"

#include "Prompter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// The directory the operating system puts `path` in, for the temporary file.
std::string OsDirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Mode for a new file that replaces `target`: the target's own mode when it
// exists, otherwise what a plain creation would give under the umask.
mode_t ReplacementMode(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Our temporary files: "pf", six characters, ".tmp".
bool IsOurTemporary(const std::string& name) {
    return name.size() == 12 && name.compare(0, 2, "pf") == 0 && name.compare(8, 4, ".tmp") == 0;
}

// Removes the temporary files that saves killed more than a day ago left in
// `directory`. Only plain files go; a link is never followed.
void RemoveStaleTemporaries(const std::string& directory) {
    const std::time_t limit = std::time(nullptr) - 24 * 60 * 60;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const std::string path = it->path().string();
        struct stat info {};
        if (IsOurTemporary(it->path().filename().string()) && ::lstat(path.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime < limit)
            ::unlink(path.c_str());
    }
}

// Creates a new temporary file "pfXXXXXX.tmp" beside `target`, exclusively:
// an existing name, link or not, is never opened. Null when the folder
// takes no new file.
std::FILE* CreateTemporary(const std::string& target, std::string* tempPath) {
    std::string pattern = OsDirectoryOf(target) + "/pfXXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd < 0) return nullptr;
    *tempPath = name.data();
    if (::fchmod(fd, ReplacementMode(target)) != 0) {
        // Keeps the private mode of the temporary file; not an error.
    }
    std::FILE* stream = ::fdopen(fd, "wb");
    if (!stream) {
        ::close(fd);
        ::unlink(tempPath->c_str());
    }
    return stream;
}

} // namespace

int CPtFile::HostByteOrder() {
    const std::uint16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1 ? kLittleEndian : kBigEndian;
}

CPtFile::CPtFile()
    : filter_("全文件(*.*)|*.*||"), openTitle_("文件打开"), saveTitle_("文件保存为... "),
      cpuOrder_(HostByteOrder()) {}

int CPtFile::Load(CFile* /*file*/) {
    return 0;
}
int CPtFile::Save(CFile* /*file*/) {
    return 0;
}

int CPtFile::Load(const std::string& path) {
    error_ = 0;
    CFile file;
    if (!file.Open(path, CFile::Mode::Read, binary_ != 0)) {
        error_ = 1;
        return 0;
    }
    int ok = Load(&file);
    if (!file.Close() || file.Failed()) ok = 0;
    if (!ok) {
        error_ = 1;
        return 0;
    }
    lastPath_ = path;
    return 1;
}

int CPtFile::Save(const std::string& path) {
    error_ = 0;
    const bool viaTemporary = saveMode_ == kSaveTemporary || saveMode_ == kSaveDeleteFirst;
    if (saveMode_ == kSaveDeleteFirst && FileExists(path) && std::remove(path.c_str()) != 0)
        error_ = 1; // noted; the save goes on
    CFile file;
    std::string target = path;
    if (viaTemporary) {
        RemoveStaleTemporaries(OsDirectoryOf(path));
        std::FILE* stream = CreateTemporary(path, &target);
        if (!stream) {
            error_ = 1;
            return 0;
        }
        file.Adopt(stream, CFile::Mode::Write, binary_ != 0);
    } else if (!file.Open(path, CFile::Mode::Write, binary_ != 0)) {
        error_ = 1;
        return 0;
    }
    int ok = Save(&file);
    if (ok && viaTemporary) file.Sync();
    if (!file.Close() || file.Failed()) ok = 0;
    if (viaTemporary) {
        // rename() replaces the target atomically: the name always holds
        // either the complete old or the complete new file.
        if (ok && std::rename(target.c_str(), path.c_str()) != 0) ok = 0;
        if (!ok) std::remove(target.c_str());
    }
    if (!ok) {
        error_ = 1;
        return 0;
    }
    lastPath_ = path;
    return 1;
}

bool CPtFile::ChooseOpenPath(kova::Prompter& prompter, std::string* path) const {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Open;
    request.title = openTitle_;
    request.filter = filter_;
    request.defaultExtension = defaultExt_;
    request.defaultName = defaultName_;
    request.initialDirectory = initialDir_;
    request.filterIndex = filterIndex_;
    request.mustExist = true;
    return prompter.ChooseFile(request, path);
}

bool CPtFile::ChooseSavePath(kova::Prompter& prompter, std::string* path) const {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.title = saveTitle_;
    request.filter = filter_;
    request.defaultExtension = defaultExt_;
    request.defaultName = defaultName_;
    request.initialDirectory = initialDir_;
    request.filterIndex = filterIndex_;
    request.overwritePrompt = true; // new names are accepted
    return prompter.ChooseFile(request, path);
}

int CPtFile::Load(kova::Prompter& prompter) {
    std::string path;
    if (!ChooseOpenPath(prompter, &path)) return 0;
    if (Load(path)) return 1;
    LoadError(prompter);
    error_ = 1;
    return 0;
}

int CPtFile::Save(kova::Prompter& prompter) {
    std::string path;
    if (!ChooseSavePath(prompter, &path)) return 0;
    if (Save(path)) return 1;
    SaveError(prompter);
    error_ = 1;
    return 0;
}

void CPtFile::LoadError(kova::Prompter& prompter) {
    prompter.Show("文件打开失败。", "错误", kova::MessageIcon::Exclamation);
}

void CPtFile::SaveError(kova::Prompter& prompter) {
    prompter.Show("File save error.", "Error", kova::MessageIcon::Exclamation);
    prompter.Show("文件保存失败。", "错误", kova::MessageIcon::Exclamation);
}

int CPtFile::SetCpuEndian(int order) {
    if (order != kBigEndian && order != kLittleEndian) return 0;
    cpuOrder_ = order;
    return 1;
}

int CPtFile::SetFileEndian(int order) {
    if (order != kBigEndian && order != kLittleEndian) return 0;
    fileOrder_ = order;
    return 1;
}

int CPtFile::LoadEndianBytes(CFile* file, void* buffer, long count) const {
    if (!file || !buffer || count < 0) return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto n = static_cast<std::size_t>(count);
    if (file->Read(bytes, n) != n || file->Failed()) return 0;
    if (cpuOrder_ != fileOrder_) std::reverse(bytes, bytes + n);
    return 1;
}

int CPtFile::SaveEndianBytes(CFile* file, const void* buffer, long count) const {
    if (!file || !buffer || count < 0) return 0;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    const auto n = static_cast<std::size_t>(count);
    if (cpuOrder_ == fileOrder_) return file->Write(bytes, n) ? 1 : 0;
    std::vector<unsigned char> reversed(bytes, bytes + n);
    std::reverse(reversed.begin(), reversed.end());
    return file->Write(reversed.data(), n) ? 1 : 0;
}

std::string CPtFile::GetLastPath(std::string* copy) const {
    if (copy) *copy = lastPath_;
    return lastPath_;
}

void CPtFile::SplitPath(const std::string& path, std::string* drive, std::string* directory,
                        std::string* name) {
    if (drive) drive->clear();
    if (directory) directory->clear();
    if (name) name->clear();
    std::string rest = path;
    const bool hasDrive =
        rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]));
    if (hasDrive) {
        if (drive) *drive = rest.substr(0, 1);
        rest = rest.substr(2);
    }
    std::size_t last = rest.find_last_of("/\\");
    if (last != std::string::npos) {
        if (directory) *directory = last == 0 ? rest.substr(0, 1) : rest.substr(0, last);
        rest = rest.substr(last + 1);
    }
    if (name) *name = rest;
}

void CPtFile::SplitPath(const std::string& path, std::string* directory, std::string* name) {
    std::string drive;
    std::string dir;
    SplitPath(path, &drive, &dir, name);
    if (dir.empty())
        dir = "./"; // a bare name lives in the current directory
    else if (!IsSeparator(dir.back()))
        dir += '/';
    if (!drive.empty()) dir = drive + ":" + dir;
    if (directory) *directory = dir;
}

void CPtFile::SplitSuffix(const std::string& path, std::string* base, std::string* suffix) {
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        if (base) *base = path;
        if (suffix) suffix->clear();
        return;
    }
    if (base) *base = path.substr(0, dot);
    if (suffix) *suffix = path.substr(dot + 1);
}

int CPtFile::SplitNumber(const std::string& text, std::string* head, std::string* digits) {
    std::size_t end = text.size();
    std::size_t start = end;
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9')
        --start;
    if (head) *head = text.substr(0, start);
    if (digits) *digits = text.substr(start);
    return start < end ? 1 : 0;
}

int CPtFile::SplitNumber(const std::string& text, std::string* head, long* number) {
    std::string digits;
    int found = SplitNumber(text, head, &digits);
    if (number) {
        long value = 0;
        for (char c : digits) {
            if (value > (std::numeric_limits<long>::max() - 9) / 10)
                break; // a longer run of digits than a long holds: keep what fits
            value = value * 10 + (c - '0');
        }
        *number = value;
    }
    return found;
}
