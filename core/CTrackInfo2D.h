#pragma once

#include "CCfgFile.h"

#include <string>
#include <vector>

namespace kova {
class Prompter;
}

// The keyed description of one 2D measurement (.TRI): image source, target
// colours and names, connection lines, scene centre and events. Fills absent
// keys with defaults on loading, repairs per-target lists, and saves itself
// after a change when it is destroyed.
class CTrackInfo2D : public CCfgFile {
public:
    explicit CTrackInfo2D(kova::Prompter* prompter = nullptr);
    CTrackInfo2D(const CTrackInfo2D& other);
    CTrackInfo2D& operator=(const CTrackInfo2D& other);
    ~CTrackInfo2D() override;

    // The prompter that shows the save failure message (may be null).
    void SetPrompter(kova::Prompter* prompter) { prompter_ = prompter; }

    // Pairs (colour index, line style), one pair per target.
    int GetTargetColor(std::vector<int>* pairs, int targets);
    int SetTargetColor(std::vector<int>* pairs, int targets);
    int GetTargetName(std::vector<std::string>* names, int targets);
    int SetTargetName(std::vector<std::string>* names, int targets);
    // Triples (first target, second target, colour index): the stored list
    // when every triple names targets below `targets` and a colour 0..6,
    // else the default chain.
    int GetTargetPairStick(std::vector<int>* triples, int targets);
    int SetTargetPairStick(const std::vector<int>& triples);
    int GetEvent(std::vector<int>* frames, std::vector<std::string>* texts);
    int SetEvent(const std::vector<int>& frames, const std::vector<std::string>& texts);

    using CCfgFile::Load;
    using CCfgFile::Save;
    // Loads (a missing file leaves only the defaults) and fills the defaults.
    int Load(const std::string& path);
    // Saves to the file path; a failure shows "It can't save track information".
    int Save();
    int Save(const std::string& path);

    const std::string& GetFilePath() const { return filePath_; }
    void SetFilePath(const std::string& path) { filePath_ = path; }

    // Repairs of the per-target lists (exposed for the callers that build
    // lists themselves).
    static std::vector<int> RepairColors(const std::vector<int>& stored, int targets);
    static std::vector<std::string> RepairNames(const std::vector<std::string>& stored,
                                                int targets);
    static std::vector<int> DefaultPairStick(int targets);

protected:
    void AutoSave() override;

private:
    void FillDefaults();

    std::string filePath_;
    kova::Prompter* prompter_ = nullptr;
};
