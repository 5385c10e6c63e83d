#include "SmallTextFile.h"

#include "InputFile.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace {
constexpr off_t kMaxFileBytes = 16 << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

bool ReadSmallTextFile(const std::string& path, std::string* text, std::string* error) {
    kova::InputError why = kova::InputError::None;
    const std::unique_ptr<std::FILE, FileCloser> file(kova::OpenInputFile(path, &why));
    struct stat info {};
    if (!file || ::fstat(fileno(file.get()), &info) != 0) {
        if (error)
            *error = why == kova::InputError::NotRegular ? path + ": not a regular file"
                                                         : "cannot read " + path;
        return false;
    }
    if (info.st_size > kMaxFileBytes) {
        if (error) *error = path + ": larger than 16 MB";
        return false;
    }
    text->resize(static_cast<std::size_t>(info.st_size));
    text->resize(std::fread(text->data(), 1, text->size(), file.get()));
    if (std::ferror(file.get())) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    return true;
}
