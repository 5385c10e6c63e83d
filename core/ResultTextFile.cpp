#include "ResultTextFile.h"

ResultTextFile::ResultTextFile(const std::string& firstFilterName) {
    SetFilter(firstFilterName + "(*.tr1)|*.tr1|Text File(*.txt)|*.txt|All Files(*.*)|*.*||");
    SetDefaultExt("tr1");
    SetDefaultName("temp.tr1");
    SetBinary(0);
}

int ResultTextFile::Save(CFile* file) {
    if (!file) return 0;
    return file->WriteText(Text()) && !file->Failed() ? 1 : 0;
}

std::string ResultTextFile::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line;
    return text;
}
