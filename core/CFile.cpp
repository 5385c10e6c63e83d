#include "CFile.h"

#include "InputFile.h"
#include "TextCodec.h"

#include <sys/stat.h>
#include <unistd.h>

CFile::~CFile() {
    Close();
}

bool CFile::Open(const std::string& path, Mode mode, bool binary) {
    Close();
    failed_ = false;
    std::FILE* stream =
        mode == Mode::Read ? kova::OpenInputFile(path) : std::fopen(path.c_str(), "wb");
    if (!stream) return false;
    Adopt(stream, mode, binary);
    return true;
}

void CFile::Adopt(std::FILE* stream, Mode mode, bool binary) {
    Close();
    stream_ = stream;
    mode_ = mode;
    binary_ = binary;
    failed_ = false;
    readBytes_ = 0;
}

bool CFile::Close() {
    if (!stream_) return !failed_;
    if (std::fclose(stream_) != 0) failed_ = true;
    stream_ = nullptr;
    return !failed_;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!stream_ || mode_ != Mode::Read) {
        failed_ = true;
        return 0;
    }
    std::size_t got = std::fread(buffer, 1, count, stream_);
    if (got < count && std::ferror(stream_)) failed_ = true;
    return got;
}

bool CFile::Write(const void* buffer, std::size_t count) {
    if (!stream_ || mode_ != Mode::Write) {
        failed_ = true;
        return false;
    }
    if (count > 0 && std::fwrite(buffer, 1, count, stream_) != count) failed_ = true;
    return !failed_;
}

bool CFile::ReadLine(std::string* utf8) {
    if (!stream_ || mode_ != Mode::Read) return false;
    std::string raw;
    int c = 0;
    bool any = false;
    while ((c = std::getc(stream_)) != EOF) {
        any = true;
        ++readBytes_;
        if (c == '\n') break;
        if (raw.size() >= lineLimit_ || readBytes_ > totalLimit_) {
            failed_ = true;
            return false;
        }
        raw.push_back(static_cast<char>(c));
    }
    if (c == EOF && std::ferror(stream_)) failed_ = true;
    if (!any) return false;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (utf8) *utf8 = binary_ ? raw : kova::FromDiskText(raw);
    return true;
}

bool CFile::WriteText(const std::string& utf8) {
    if (binary_) return Write(utf8.data(), utf8.size());
    std::string disk = kova::ToDiskText(utf8);
    std::string out;
    out.reserve(disk.size() + 8);
    for (char ch : disk) {
        if (ch == '\n') out.push_back('\r');
        out.push_back(ch);
    }
    return Write(out.data(), out.size());
}

std::int64_t CFile::Size() const {
    if (!stream_) return 0;
    struct stat info {};
    if (fstat(fileno(stream_), &info) != 0) return 0;
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t CFile::Remaining() const {
    if (!stream_) return 0;
    long pos = std::ftell(stream_);
    if (pos < 0) return 0;
    std::int64_t left = Size() - pos;
    return left > 0 ? left : 0;
}

bool CFile::Sync() {
    if (!stream_) return false;
    if (std::fflush(stream_) != 0 || fsync(fileno(stream_)) != 0) failed_ = true;
    return !failed_;
}
