#pragma once

#include <string>

// A new file written under a temporary name beside its target and renamed
// onto the target only when all went well, so an existing file stays intact
// until then. The temporary is created exclusively (an existing name is
// never reused) and removed unless committed.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Makes the empty temporary file; false when the folder takes no file.
    bool Create();
    const std::string& TemporaryPath() const { return temporary_; }
    // Renames the temporary onto the target; false (temporary removed) on
    // failure.
    bool Commit();
    // Removes the temporary.
    void Discard();

private:
    std::string target_;
    std::string temporary_;
};
