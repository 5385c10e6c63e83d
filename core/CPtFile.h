#pragma once

#include "CFile.h"

#include <string>

namespace kova {
class Prompter;
}

// Base of every file class: file dialogs through the prompter, text or
// binary opening, saving through a temporary file that atomically replaces
// the target, the last path, byte-order conversion of numbers, and splitting
// of path names.
class CPtFile {
public:
    enum ByteOrder { kBigEndian = 1, kLittleEndian = 2 };
    enum SaveMode { kSaveDirect = 0, kSaveTemporary = 1, kSaveDeleteFirst = 2 };

    CPtFile();
    CPtFile(const CPtFile&) = default;
    CPtFile& operator=(const CPtFile&) = default;
    virtual ~CPtFile() = default;

    // Reads or writes the contents of an open file; 1 success, 0 failure.
    virtual int Load(CFile* file);
    virtual int Save(CFile* file);

    int Load(const std::string& path);
    // Writes a new temporary file beside `path` and renames it over `path`;
    // fails when the folder takes no new file. Temporary files of ours that
    // are older than a day are removed from the folder first.
    int Save(const std::string& path);
    // The dialog forms: choose a file, then load or save it; a failure shows
    // LoadError or SaveError. Cancel gives 0 without a message.
    int Load(kova::Prompter& prompter);
    int Save(kova::Prompter& prompter);

    static void LoadError(kova::Prompter& prompter);
    static void SaveError(kova::Prompter& prompter);

    int SetCpuEndian(int order);
    int SetFileEndian(int order);
    int LoadEndianBytes(CFile* file, void* buffer, long count) const;
    int SaveEndianBytes(CFile* file, const void* buffer, long count) const;

    void SetLastPath(const std::string& path) { lastPath_ = path; }
    std::string GetLastPath(std::string* copy = nullptr) const;

    // Path splitting; '/' and '\' both separate. A drive is a single letter
    // followed by a colon at the start (Windows paths).
    static void SplitPath(const std::string& path, std::string* drive, std::string* directory,
                          std::string* name);
    // Directory with a trailing separator ("./" for a bare name), drive in front.
    static void SplitPath(const std::string& path, std::string* directory, std::string* name);
    static void SplitSuffix(const std::string& path, std::string* base, std::string* suffix);
    static int SplitNumber(const std::string& text, std::string* head, std::string* digits);
    static int SplitNumber(const std::string& text, std::string* head, long* number);

    // Dialog and file settings.
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    void SetDefaultName(const std::string& name) { defaultName_ = name; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    void SetOpenTitle(const std::string& title) { openTitle_ = title; }
    void SetSaveTitle(const std::string& title) { saveTitle_ = title; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    void SetBinary(int binary) { binary_ = binary; }
    void SetSaveMode(int mode) { saveMode_ = mode; }
    const std::string& GetInitialDir() const { return initialDir_; }
    const std::string& GetDefaultName() const { return defaultName_; }
    const std::string& GetFilter() const { return filter_; }
    const std::string& GetDefaultExt() const { return defaultExt_; }
    const std::string& GetOpenTitle() const { return openTitle_; }
    const std::string& GetSaveTitle() const { return saveTitle_; }
    int GetFilterIndex() const { return filterIndex_; }
    int IsBinary() const { return binary_; }
    int GetSaveMode() const { return saveMode_; }
    int GetError() const { return error_; }

    // The dialog requests the Load/Save dialog forms show.
    bool ChooseOpenPath(kova::Prompter& prompter, std::string* path) const;
    bool ChooseSavePath(kova::Prompter& prompter, std::string* path) const;

    static int HostByteOrder();

protected:
    void SetError(int error) { error_ = error; }

private:
    std::string initialDir_;
    std::string defaultName_;
    std::string filter_;
    std::string defaultExt_;
    std::string openTitle_;
    std::string saveTitle_;
    int filterIndex_ = 0;
    int binary_ = 0;
    int error_ = 0;
    int saveMode_ = kSaveTemporary;
    int cpuOrder_;
    int fileOrder_ = kLittleEndian;
    std::string lastPath_;
};
