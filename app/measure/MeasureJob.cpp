#include "MeasureJob.h"

#include "CPtFile.h"

bool MeasureJob::Open(const std::string& path) {
    input_ = path;
    if (document_.LoadDocument(path)) return true;
    CPtFile::LoadError(prompter_);
    return false;
}

bool MeasureJob::Save(const std::string& output) {
    return document_.SaveResultTo(output.empty() ? input_ : output) == 1;
}
