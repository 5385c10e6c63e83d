#include "ReplacingFile.h"

#include "TemporaryBeside.h"

#include <cstdio>
#include <utility>

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Create() {
    Discard();
    temporary_ = kova::ReserveTemporaryBeside(target_);
    return !temporary_.empty();
}

bool ReplacingFile::Commit() {
    if (temporary_.empty()) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::Discard() {
    if (temporary_.empty()) return;
    std::remove(temporary_.c_str());
    temporary_.clear();
}
