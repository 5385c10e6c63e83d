#pragma once

#include <string>

class CPtFile;

// The two files of a measurement pair written by one operation (a merge):
// each is first saved under a temporary name beside its final one, and both
// replace the final names only when both were written. An operation that
// fails therefore leaves an existing pair exactly as it was, and leaves no
// file of its own behind.
class StagedPair {
public:
    StagedPair(std::string trackPath, std::string infoPath);
    StagedPair(const StagedPair&) = delete;
    StagedPair& operator=(const StagedPair&) = delete;
    // Removes the temporary files that were not put in place.
    ~StagedPair();

    // Saves `file` under the temporary name of the track or info file.
    bool StageTrack(CPtFile& file);
    bool StageInfo(CPtFile& file);
    // Puts both staged files in place. When a final name cannot take a file
    // (a folder stands there), nothing is replaced and `*failed` names it.
    bool Commit(std::string* failed);

private:
    struct Part {
        std::string path;
        std::string staged;
    };
    static bool Stage(Part& part, CPtFile& file);

    Part track_;
    Part info_;
};
