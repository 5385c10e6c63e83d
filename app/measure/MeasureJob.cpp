#include "MeasureJob.h"

#include "CPtFile.h"

#include <ostream>

bool MeasureJob::Open(const std::string& path) {
    input_ = path;
    if (document_.LoadDocument(path)) return true;
    CPtFile::LoadError(prompter_);
    return false;
}

bool MeasureJob::Save(const std::string& output) {
    return document_.SaveResultTo(output.empty() ? input_ : output) == 1;
}

int MeasureJob::SaveForVerb(const std::string& output, std::ostream& err, const char* verb) {
    const bool saved = Save(output);
    const std::string& unsaved = document_.UnsavedPath();
    if (!unsaved.empty()) err << "kova-batch " << verb << ": cannot write " << unsaved << '\n';
    return saved && unsaved.empty() ? 0 : 1;
}
