#include "AviFrameSource.h"

#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CPtFile.h"
#include "Prompter.h"
#include "VideoFileName.h"

bool AviFrameSource::Open(const std::string& path, int first, int last, std::string* error) {
    if (!video_.Open(path)) {
        if (error)
            *error = kova::IsVideoFileName(path) && !kova::IsAviFileName(path)
                         ? "cannot open video file " + path + ": " + video_.Error()
                         : "cannot open AVI file " + path;
        return false;
    }
    const int count = video_.GetFrameCount();
    if (first == 0 && last == 0) {
        first = 1;
        last = count;
    }
    if (first < 1 || last < first || last > count || last > 32767) {
        if (error)
            *error = "frame range " + std::to_string(first) + ".." + std::to_string(last) +
                     " is outside the file's frames 1.." + std::to_string(count);
        return false;
    }
    CPtFile::SplitPath(path, &directory_, &name_);
    first_ = first;
    last_ = last;
    return true;
}

int AviFrameSource::Load(int k, bool colour, int& frame) {
    store_.Put_window_full();
    const int index = first_ + k - 2;
    const int ok = video_.LoadFrameFromAVI(index, store_, 1, colour ? 1 : 0, 0, 0);
    store_.Put_window_full();
    if (!ok) {
        SetProblem("cannot decode " + std::string(kova::IsAviFileName(name_) ? "AVI" : "video") +
                   " frame " + std::to_string(index + 1));
        prompter_.Show("文件读取错误.", "KOVA", kova::MessageIcon::Exclamation,
                       kova::MessageButtons::Ok);
        return -1;
    }
    frame = 1;
    return 0;
}

void AviFrameSource::StoreSource(CCfgFile& info) const {
    info.SetValue("ImagePath", StoredDirectory(directory_));
    info.SetValue("ImageNameHead", std::string("TEMP"));
    info.SetValue("ImageFileExt", std::string("AVI"));
    info.SetValue("ImageStartNum", 0);
    info.SetValue("ImageEndNum", 0);
    info.SetValue("ImageScenes", Count());
    info.SetValue("ImageStartFile", std::string("TEMP0001.BMP"));
    info.SetValue("ImageEndFile", std::string("TEMP0001.BMP"));
    info.SetValue("AviStartFrm", first_);
    info.SetValue("AviEndFrm", last_);
    info.SetValue("AviFile", name_);
}
