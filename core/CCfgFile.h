#pragma once

#include "CCommand.h"
#include "CPtFile.h"

#include <list>
#include <string>
#include <vector>

// A keyed text file: an ordered list of records, each a name with values.
// Lookups by name find the first record of that name; storing by name
// replaces a single record, appends a new name, and refuses when the name
// occurs more than once.
class CCfgFile : public CPtFile {
public:
    CCfgFile();
    CCfgFile(const CCfgFile& other);
    CCfgFile& operator=(const CCfgFile& other);
    ~CCfgFile() override;

    using CPtFile::Load;
    using CPtFile::Save;
    int Load(CFile* file) override;
    int Save(CFile* file) override;
    int Load(const std::string& path);
    int Load(kova::Prompter& prompter);
    int Save(const std::string& path);
    int Save(kova::Prompter& prompter);

    int GetValue(const std::string& name, int* v);
    int GetValue(const std::string& name, short* v);
    int GetValue(const std::string& name, long* v);
    int GetValue(const std::string& name, float* v);
    int GetValue(const std::string& name, double* v);
    int GetValue(const std::string& name, std::string* v);

    int SetValue(const std::string& name, int v);
    int SetValue(const std::string& name, short v);
    int SetValue(const std::string& name, long v);
    int SetValue(const std::string& name, float v);
    int SetValue(const std::string& name, double v);
    int SetValue(const std::string& name, const std::string& v);
    int SetValue(const std::string& name, const char* v) { return SetValue(name, std::string(v)); }

    int GetArray(const std::string& name, std::vector<int>* out);
    int GetArray(const std::string& name, std::vector<short>* out);
    int GetArray(const std::string& name, std::vector<long>* out);
    int GetArray(const std::string& name, std::vector<float>* out);
    int GetArray(const std::string& name, std::vector<double>* out);
    int GetArray(const std::string& name, std::vector<std::string>* out);

    int SetArray(const std::string& name, const std::vector<int>& values);
    int SetArray(const std::string& name, const std::vector<short>& values);
    int SetArray(const std::string& name, const std::vector<long>& values);
    int SetArray(const std::string& name, const std::vector<float>& values);
    int SetArray(const std::string& name, const std::vector<double>& values);
    int SetArray(const std::string& name, const std::vector<std::string>& values);

    // Removes every record of that name; 0 when there is none.
    int EraseValue(const std::string& name);
    void EraseAll();

    // The first record of that name, or null; moves the cursor.
    const CCommand* Find(const std::string& name);
    const std::list<CCommand>& Records() const { return records_; }
    int Count(const std::string& name) const;

    int IsModified() const { return modified_; }
    void SetModified(int modified) { modified_ = modified; }
    int GetAutoSave() const { return autoSave_; }
    void SetAutoSave(int autoSave) { autoSave_ = autoSave; }

protected:
    // Saves a modified file to its last path when auto-save is on; called
    // before a reload and on destruction.
    virtual void AutoSave();
    // Stores a built record by name (replace one, append new, refuse many).
    int Store(const CCommand& record);

private:
    template <typename T> int GetValueOf(const std::string& name, T* v);
    template <typename T> int SetValueOf(const std::string& name, const T& v);
    template <typename T> int GetArrayOf(const std::string& name, std::vector<T>* out);
    template <typename T> int SetArrayOf(const std::string& name, const std::vector<T>& values);
    void ReadRecords(CFile* file);

    std::list<CCommand> records_;
    std::list<CCommand>::iterator cursor_;
    std::string cursorKey_;
    int modified_ = 0;
    int autoSave_ = 0;
};
