#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// An open file handed to the Load/Save operations of the file classes.
// Binary mode moves bytes as they are. Text mode holds UTF-8 in memory and
// GB18030 with CR LF on disk: WriteText converts and turns '\n' into CR LF,
// ReadLine accepts CR LF or LF and converts back.
// Input files are opened only when they are regular files (kova::OpenInputFile).
// Errors do not throw: they set a sticky failure flag that the caller checks.
class CFile {
public:
    enum class Mode { Read, Write };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile();

    bool Open(const std::string& path, Mode mode, bool binary);
    // Takes over an already open stream (closed by this object).
    void Adopt(std::FILE* stream, Mode mode, bool binary);
    // Flushes and closes; false when any error happened on the file.
    bool Close();
    bool IsOpen() const { return stream_ != nullptr; }
    bool IsBinary() const { return binary_; }
    bool Failed() const { return failed_; }
    void SetFailed() { failed_ = true; }

    // Binary access. Read returns the number of bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    bool Write(const void* buffer, std::size_t count);

    // Reads one line without its line end; false at the end of the file
    // with nothing read. A last line without a line feed is still a line.
    bool ReadLine(std::string* utf8);
    // Bounds for ReadLine: a longer line, or more bytes read in all, fails
    // the file.
    void LimitLines(std::size_t lineBytes, std::int64_t totalBytes) {
        lineLimit_ = lineBytes;
        totalLimit_ = totalBytes;
    }
    bool WriteText(const std::string& utf8);

    // Total size in bytes and the bytes left to read (for count checks).
    std::int64_t Size() const;
    std::int64_t Remaining() const;
    // Forces written data to the device (before an atomic replace).
    bool Sync();

private:
    std::FILE* stream_ = nullptr;
    Mode mode_ = Mode::Read;
    bool binary_ = true;
    bool failed_ = false;
    std::size_t lineLimit_ = SIZE_MAX;
    std::int64_t totalLimit_ = INT64_MAX;
    std::int64_t readBytes_ = 0;
};
