#pragma once

#include <string>

class CCfgFile;
class CTrackFile2D;
class StagedPair;
namespace kova {
class Prompter;
}

// The logic of the "数据合并" dialog: joins the numbered series of
// measurements DIR/HEAD0001.TRK ... into DIR/HEAD.TRK and its .TRI, by
// frames (one after the other) or by targets (side by side).
class DataMerge {
public:
    enum Mode { kByFrames = 0, kByTargets = 1 };

    explicit DataMerge(const std::string& directory = std::string());

    // Dialog fields.
    std::string head = "TEMP";
    int startNumber = 1;
    int endNumber = 1;
    int mode = kByFrames;
    std::string directory; // not shown; set by ChooseInput
    int totalFrames = 0;
    int totalTargets = 0;

    // "输入选择": the start and end files; fills directory, head and numbers.
    // false when cancelled or refused.
    bool ChooseInput(kova::Prompter& prompter, const CTrackFile2D& track);
    // "执行": 1 merged, 0 the merge failed (the dialog closes in both cases),
    // -1 refused by a check or the overwrite question (the dialog stays open).
    // The output pair is replaced only by a complete merge: after a failure
    // an existing pair is as it was.
    int Run(kova::Prompter& prompter);

    // Input and output names.
    std::string InputTrackPath(int number) const;
    std::string InputInfoPath(int number) const;
    std::string OutputTrackPath() const;
    std::string OutputInfoPath() const;

private:
    bool CheckFields(kova::Prompter& prompter) const;
    bool CheckFiles(kova::Prompter& prompter);
    bool MergeByFrames(kova::Prompter& prompter) const;
    bool MergeByTargets(kova::Prompter& prompter) const;
    // The .TRI of a merge by frames: the image keys of the first input, the
    // end of the images of the last; false when the images do not continue.
    bool JoinInfoFiles(kova::Prompter& prompter, CCfgFile* output) const;
    // Writes the .TRI beside the staged .TRK and puts the pair in place.
    bool SaveInfo(kova::Prompter& prompter, CCfgFile& info, StagedPair& pair) const;
    void TrackError(kova::Prompter& prompter) const;
    void InfoSaveError(kova::Prompter& prompter) const;
    std::string Stem(int number) const;
};
