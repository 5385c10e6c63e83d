#include "StagedPair.h"

#include "CPtFile.h"
#include "TemporaryBeside.h"

#include <cstdio>
#include <utility>

StagedPair::StagedPair(std::string trackPath, std::string infoPath)
    : track_{std::move(trackPath), {}}, info_{std::move(infoPath), {}} {}

StagedPair::~StagedPair() {
    for (const Part* part : {&track_, &info_})
        if (!part->staged.empty()) std::remove(part->staged.c_str());
}

bool StagedPair::Stage(Part& part, CPtFile& file) {
    if (part.staged.empty()) part.staged = kova::ReserveTemporaryBeside(part.path);
    return !part.staged.empty() && file.Save(part.staged) != 0;
}

bool StagedPair::StageTrack(CPtFile& file) {
    return Stage(track_, file);
}

bool StagedPair::StageInfo(CPtFile& file) {
    return Stage(info_, file);
}

bool StagedPair::Commit(std::string* failed) {
    for (const Part* part : {&track_, &info_}) {
        if (part->staged.empty() || kova::IsFolderPath(part->path)) {
            if (failed) *failed = part->path;
            return false;
        }
    }
    // Both files are complete and in the final folder: the renames replace
    // the old pair atomically, one file after the other.
    for (Part* part : {&track_, &info_}) {
        if (std::rename(part->staged.c_str(), part->path.c_str()) != 0) {
            if (failed) *failed = part->path;
            return false;
        }
        part->staged.clear();
    }
    return true;
}
