#include "CTrackInfo2D.h"

#include "NumberText.h"
#include "Prompter.h"

namespace {

struct DefaultKey {
    const char* name;
    const char* value; // "" writes the name alone
};

const DefaultKey kDefaults[] = {
    {"ImagePath", ""},    {"ImageNameHead", ""}, {"ImageFileExt", ""},   {"ImageStartNum", "0"},
    {"ImageEndNum", "0"}, {"ImageScenes", "0"},  {"ImageStartFile", ""}, {"ImageEndFile", ""},
    {"SceneCenter", "0"}, {"AviFile", ""},       {"AviStartFrm", "0"},   {"AviEndFrm", "0"},
};

constexpr int kColorCount = 7;

std::string EventText(const std::string& raw) {
    const char* blanks = " \t\r\n";
    std::size_t first = raw.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    std::size_t last = raw.find_last_not_of(blanks);
    std::string text;
    for (char c : raw.substr(first, last - first + 1)) {
        if (c == '\n') continue;
        text.push_back(c == ' ' || c == '\t' ? '_' : c);
    }
    return text;
}

} // namespace

CTrackInfo2D::CTrackInfo2D(kova::Prompter* prompter) : prompter_(prompter) {
    SetAutoSave(1);
}

CTrackInfo2D::CTrackInfo2D(const CTrackInfo2D& other)
    : CCfgFile(other), filePath_(other.filePath_), prompter_(other.prompter_) {}

CTrackInfo2D& CTrackInfo2D::operator=(const CTrackInfo2D& other) {
    CCfgFile::operator=(other);
    filePath_ = other.filePath_;
    return *this;
}

CTrackInfo2D::~CTrackInfo2D() {
    AutoSave();
    SetAutoSave(0);
}

void CTrackInfo2D::AutoSave() {
    if (GetAutoSave() && IsModified() && !filePath_.empty()) Save();
}

void CTrackInfo2D::FillDefaults() {
    for (const DefaultKey& key : kDefaults) {
        const CCommand* record = Find(key.name);
        if (record && record->GetDataCnt() > 0) continue;
        if (key.value[0] == '\0') {
            CCommand bare;
            bare.Create(key.name, 0);
            Store(bare);
        } else {
            SetValue(key.name, std::string(key.value));
        }
    }
}

int CTrackInfo2D::Load(const std::string& path) {
    int ok = CCfgFile::Load(path);
    filePath_ = path;
    FillDefaults();
    return ok;
}

int CTrackInfo2D::Save() {
    if (filePath_.empty()) return 0;
    if (CCfgFile::Save(filePath_)) return 1;
    if (prompter_)
        prompter_->Show("It can't save track information", "KOVA", kova::MessageIcon::Exclamation);
    return 0;
}

int CTrackInfo2D::Save(const std::string& path) {
    filePath_ = path;
    return Save();
}

std::vector<int> CTrackInfo2D::RepairColors(const std::vector<int>& stored, int targets) {
    std::vector<int> pairs;
    if (targets < 1) return pairs;
    const std::size_t want = static_cast<std::size_t>(targets) * 2;
    std::size_t keep = (stored.size() / 2) * 2;
    if (keep > want) keep = want;
    pairs.assign(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(keep));
    while (pairs.size() < want) {
        int colour = 0;
        if (pairs.size() >= 2) {
            colour = pairs[pairs.size() - 2] + 1;
            if (colour >= kColorCount - 1 || colour < 0) colour = 0; // wraps from 5 to 0
        }
        pairs.push_back(colour);
        pairs.push_back(0);
    }
    return pairs;
}

std::vector<std::string> CTrackInfo2D::RepairNames(const std::vector<std::string>& stored,
                                                   int targets) {
    std::vector<std::string> names;
    if (targets < 1) return names;
    const auto want = static_cast<std::size_t>(targets);
    names.assign(stored.begin(),
                 stored.begin() + static_cast<std::ptrdiff_t>(std::min(stored.size(), want)));
    while (names.size() < want)
        names.push_back(kova::FormatInt(static_cast<long>(names.size()) + 1));
    return names;
}

std::vector<int> CTrackInfo2D::DefaultPairStick(int targets) {
    std::vector<int> triples;
    for (int t = 0; t + 1 < targets; ++t) {
        triples.push_back(t);
        triples.push_back(t + 1);
        triples.push_back(t % 6);
    }
    return triples;
}

int CTrackInfo2D::GetTargetColor(std::vector<int>* pairs, int targets) {
    if (!pairs) return 0;
    pairs->clear();
    if (targets < 1) return 0;
    std::vector<int> stored;
    GetArray("ColorTarget", &stored);
    if (stored.size() == static_cast<std::size_t>(targets) * 2) {
        *pairs = std::move(stored);
        return 1;
    }
    *pairs = RepairColors(stored, targets);
    SetArray("ColorTarget", *pairs);
    return 1;
}

int CTrackInfo2D::SetTargetColor(std::vector<int>* pairs, int targets) {
    if (targets < 1) {
        EraseValue("ColorTarget");
        return 1;
    }
    if (!pairs) return 0;
    if (pairs->size() != static_cast<std::size_t>(targets) * 2)
        *pairs = RepairColors(*pairs, targets);
    return SetArray("ColorTarget", *pairs);
}

int CTrackInfo2D::GetTargetName(std::vector<std::string>* names, int targets) {
    if (!names) return 0;
    names->clear();
    if (targets < 1) return 0;
    std::vector<std::string> stored;
    GetArray("NameTarget", &stored);
    if (stored.size() == static_cast<std::size_t>(targets)) {
        *names = std::move(stored);
        return 1;
    }
    *names = RepairNames(stored, targets);
    SetArray("NameTarget", *names);
    return 1;
}

int CTrackInfo2D::SetTargetName(std::vector<std::string>* names, int targets) {
    if (targets < 1) {
        EraseValue("NameTarget");
        return 1;
    }
    if (!names) return 0;
    if (names->size() != static_cast<std::size_t>(targets)) *names = RepairNames(*names, targets);
    return SetArray("NameTarget", *names);
}

int CTrackInfo2D::GetTargetPairStick(std::vector<int>* triples, int targets) {
    if (!triples) return 0;
    triples->clear();
    std::vector<int> stored;
    bool valid = GetArray("TargetPairStick", &stored) && stored.size() % 3 == 0;
    // A target the measurement does not have makes the whole list invalid,
    // as a negative one does.
    for (std::size_t i = 0; valid && i < stored.size(); i += 3)
        valid = stored[i] >= 0 && stored[i] < targets && stored[i + 1] >= 0 &&
                stored[i + 1] < targets && stored[i + 2] >= 0 && stored[i + 2] < kColorCount;
    *triples = valid ? std::move(stored) : DefaultPairStick(targets);
    return 1;
}

int CTrackInfo2D::SetTargetPairStick(const std::vector<int>& triples) {
    return SetArray("TargetPairStick", triples);
}

int CTrackInfo2D::GetEvent(std::vector<int>* frames, std::vector<std::string>* texts) {
    if (frames) frames->clear();
    if (texts) texts->clear();
    std::vector<std::string> values;
    if (!GetArray("SceneEvent", &values)) return 0;
    std::vector<int> readFrames;
    std::vector<std::string> readTexts;
    for (const std::string& value : values) {
        std::size_t colon = value.find(':');
        if (colon == std::string::npos || colon == 0) return 0;
        readFrames.push_back(kova::ParseInt(value.substr(0, colon)));
        readTexts.push_back(value.substr(colon + 1));
    }
    if (frames) *frames = std::move(readFrames);
    if (texts) *texts = std::move(readTexts);
    return 1;
}

int CTrackInfo2D::SetEvent(const std::vector<int>& frames, const std::vector<std::string>& texts) {
    if (frames.empty()) {
        EraseValue("SceneEvent");
        return 1;
    }
    std::vector<std::string> values;
    values.reserve(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::string text = i < texts.size() ? EventText(texts[i]) : std::string();
        values.push_back(kova::FormatInt(frames[i]) + ":" + text);
    }
    return SetArray("SceneEvent", values);
}
