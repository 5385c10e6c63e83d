#include "CFileUtil.h"

int CFileUtil::Load(CFile* /*file*/) {
    return 1;
}
int CFileUtil::Save(CFile* /*file*/) {
    return 1;
}

int CFileUtil::Save(const std::string& path) {
    SetLastPath(path);
    return 1;
}

int CFileUtil::Save(kova::Prompter& prompter) {
    std::string path;
    if (!ChooseSavePath(prompter, &path)) return 0;
    return Save(path);
}
