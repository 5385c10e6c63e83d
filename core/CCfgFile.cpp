#include "CCfgFile.h"

#include "Prompter.h"

namespace {
const char* const kDelimiters = " \t";
// No keyed file of ours comes near these; a larger one is not ours.
constexpr std::size_t kMaxLineBytes = 1 << 20;
constexpr std::int64_t kMaxFileBytes = 16 << 20;
} // namespace

CCfgFile::CCfgFile() : cursor_(records_.end()) {
    SetBinary(0);
}

CCfgFile::CCfgFile(const CCfgFile& other)
    : CPtFile(other), records_(other.records_), cursor_(records_.end()), modified_(other.modified_),
      autoSave_(other.autoSave_) {}

CCfgFile& CCfgFile::operator=(const CCfgFile& other) {
    if (this == &other) return *this;
    records_ = other.records_;
    cursor_ = records_.end();
    cursorKey_.clear();
    return *this;
}

CCfgFile::~CCfgFile() {
    // A derived class that overrides AutoSave calls it in its own destructor.
    if (autoSave_ && modified_ && !GetLastPath().empty()) Save(GetLastPath());
}

void CCfgFile::AutoSave() {
    if (autoSave_ && modified_ && !GetLastPath().empty()) Save(GetLastPath());
}

void CCfgFile::ReadRecords(CFile* file) {
    file->LimitLines(kMaxLineBytes, kMaxFileBytes);
    std::string line;
    while (file->ReadLine(&line)) {
        CCommand record;
        if (record.Create(line, kDelimiters)) records_.push_back(std::move(record));
    }
}

int CCfgFile::Load(CFile* file) {
    AutoSave();
    EraseAll();
    modified_ = 0;
    if (!file || file->Size() > kMaxFileBytes) return 0;
    ReadRecords(file);
    cursor_ = records_.begin();
    cursorKey_ = records_.empty() ? std::string() : records_.front().Name();
    return file->Failed() ? 0 : 1;
}

int CCfgFile::Load(const std::string& path) {
    AutoSave();
    SetLastPath(path);
    const int saved = autoSave_;
    autoSave_ = 0; // already saved above
    int ok = CPtFile::Load(path);
    autoSave_ = saved;
    if (!ok) {
        EraseAll();
        modified_ = 0;
    }
    return ok;
}

int CCfgFile::Load(kova::Prompter& prompter) {
    AutoSave();
    std::string path;
    if (!ChooseOpenPath(prompter, &path)) {
        EraseAll();
        return 0;
    }
    if (Load(path)) return 1;
    LoadError(prompter);
    SetError(1);
    return 0;
}

int CCfgFile::Save(CFile* file) {
    if (!modified_) return 1;
    if (!file) return 0;
    for (const CCommand& record : records_)
        if (!file->WriteText(record.ToLine() + "\n")) return 0;
    modified_ = 0;
    return 1;
}

int CCfgFile::Save(const std::string& path) {
    if (path != GetLastPath()) modified_ = 1;
    if (!modified_) return 1;
    if (CPtFile::Save(path)) return 1;
    modified_ = 1; // nothing reached the disk
    return 0;
}

int CCfgFile::Save(kova::Prompter& prompter) {
    if (!modified_) return 1;
    std::string path;
    if (!ChooseSavePath(prompter, &path)) return 0;
    if (Save(path)) return 1;
    SaveError(prompter);
    SetError(1);
    return 0;
}

const CCommand* CCfgFile::Find(const std::string& name) {
    for (auto it = records_.begin(); it != records_.end(); ++it) {
        if (it->Name() == name) {
            cursor_ = it;
            cursorKey_ = name;
            return &*it;
        }
    }
    return nullptr;
}

int CCfgFile::Count(const std::string& name) const {
    int n = 0;
    for (const CCommand& record : records_)
        n += record.Name() == name ? 1 : 0;
    return n;
}

int CCfgFile::Store(const CCommand& record) {
    int matches = 0;
    auto match = records_.end();
    for (auto it = records_.begin(); it != records_.end() && matches < 2; ++it) {
        if (it->Name() == record.Name()) {
            if (matches == 0) match = it;
            ++matches;
        }
    }
    if (matches >= 2) return 0;
    if (matches == 1)
        *match = record;
    else
        records_.push_back(record);
    modified_ = 1;
    return 1;
}

int CCfgFile::EraseValue(const std::string& name) {
    int removed = 0;
    for (auto it = records_.begin(); it != records_.end();) {
        if (it->Name() == name) {
            if (it == cursor_) {
                cursor_ = records_.end();
                cursorKey_.clear();
            }
            it = records_.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    if (removed == 0) return 0;
    modified_ = 1;
    return 1;
}

void CCfgFile::EraseAll() {
    records_.clear();
    cursor_ = records_.end();
    cursorKey_.clear();
}

template <typename T> int CCfgFile::GetValueOf(const std::string& name, T* v) {
    const CCommand* record = Find(name);
    if (!record) return 0;
    return record->GetValue(0, v);
}

template <typename T> int CCfgFile::SetValueOf(const std::string& name, const T& v) {
    CCommand record;
    if (!record.Create(name, 1)) return 0;
    record.SetValue(0, v);
    return Store(record);
}

template <typename T> int CCfgFile::GetArrayOf(const std::string& name, std::vector<T>* out) {
    if (out) out->clear();
    const CCommand* record = Find(name);
    if (!record) return 0;
    return record->GetArray(out);
}

template <typename T>
int CCfgFile::SetArrayOf(const std::string& name, const std::vector<T>& values) {
    CCommand record;
    if (!record.Create(name, 0) || !record.SetArray(values)) return 0;
    return Store(record);
}

#define KOVA_CFG_ACCESS(Type, ArgType)                                                             \
    int CCfgFile::GetValue(const std::string& name, Type* v) {                                     \
        return GetValueOf(name, v);                                                                \
    }                                                                                              \
    int CCfgFile::SetValue(const std::string& name, ArgType v) {                                   \
        return SetValueOf(name, v);                                                                \
    }                                                                                              \
    int CCfgFile::GetArray(const std::string& name, std::vector<Type>* out) {                      \
        return GetArrayOf(name, out);                                                              \
    }                                                                                              \
    int CCfgFile::SetArray(const std::string& name, const std::vector<Type>& values) {             \
        return SetArrayOf(name, values);                                                           \
    }

KOVA_CFG_ACCESS(int, int)
KOVA_CFG_ACCESS(short, short)
KOVA_CFG_ACCESS(long, long)
KOVA_CFG_ACCESS(float, float)
KOVA_CFG_ACCESS(double, double)
KOVA_CFG_ACCESS(std::string, const std::string&)
#undef KOVA_CFG_ACCESS
