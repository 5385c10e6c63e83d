#include "StagedPair.h"

#include "CPtFile.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the final file gets: that of the file it replaces, else what a
// plain creation gives under the umask.
mode_t FinalMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Reserves a new name "pfXXXXXX.tmp" beside `path` (the pattern of the file
// base's temporaries, so a crash leaves nothing that is not cleaned up).
std::string Reserve(const std::string& path) {
    const std::string pattern = DirectoryOf(path) + "/pfXXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd < 0) return {};
    const bool ok = ::fchmod(fd, FinalMode(path)) == 0;
    ::close(fd);
    if (!ok) {
        ::unlink(name.data());
        return {};
    }
    return name.data();
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

StagedPair::StagedPair(std::string trackPath, std::string infoPath)
    : track_{std::move(trackPath), {}}, info_{std::move(infoPath), {}} {}

StagedPair::~StagedPair() {
    for (const Part* part : {&track_, &info_})
        if (!part->staged.empty()) std::remove(part->staged.c_str());
}

bool StagedPair::Stage(Part& part, CPtFile& file) {
    if (part.staged.empty()) part.staged = Reserve(part.path);
    return !part.staged.empty() && file.Save(part.staged) != 0;
}

bool StagedPair::StageTrack(CPtFile& file) {
    return Stage(track_, file);
}

bool StagedPair::StageInfo(CPtFile& file) {
    return Stage(info_, file);
}

bool StagedPair::Commit(std::string* failed) {
    for (const Part* part : {&track_, &info_}) {
        if (part->staged.empty() || IsFolder(part->path)) {
            if (failed) *failed = part->path;
            return false;
        }
    }
    // Both files are complete and in the final folder: the renames replace
    // the old pair atomically, one file after the other.
    for (Part* part : {&track_, &info_}) {
        if (std::rename(part->staged.c_str(), part->path.c_str()) != 0) {
            if (failed) *failed = part->path;
            return false;
        }
        part->staged.clear();
    }
    return true;
}
