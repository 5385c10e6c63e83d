#include "SeriesFrameSource.h"

#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CPtFile.h"
#include "MeasurePaths.h"

#include <cctype>

namespace {

struct SeriesName {
    std::string directory;
    std::string head;
    std::string ext;
    int digits = 0;
    long number = 0;
};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// head + digits + "." + extension; the digits end right before the dot.
bool SplitSeriesName(const std::string& path, SeriesName* out) {
    std::string directory, name;
    CPtFile::SplitPath(path, &directory, &name);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < 1 || dot + 1 >= name.size()) return false;
    std::size_t start = dot;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1])))
        --start;
    const std::size_t digits = dot - start;
    if (digits == 0 || digits > 9) return false;
    out->directory = directory;
    out->head = name.substr(0, start);
    out->ext = name.substr(dot + 1);
    out->digits = static_cast<int>(digits);
    out->number = std::stol(name.substr(start, digits));
    return true;
}

} // namespace

bool SeriesFrameSource::SetFiles(const std::string& firstPath, const std::string& lastPath,
                                 std::string* error) {
    SeriesName a, b;
    if (!SplitSeriesName(firstPath, &a) || !SplitSeriesName(lastPath, &b)) {
        if (error) *error = "文件选择错误.";
        return false;
    }
    if (Upper(a.head) != Upper(b.head) || Upper(a.ext) != Upper(b.ext) ||
        a.directory != b.directory) {
        if (error) *error = "文件选择错误.";
        return false;
    }
    if (a.number > b.number) std::swap(a, b);
    if (b.number - a.number + 1 > 32767) {
        if (error) *error = "the series holds more than 32767 images";
        return false;
    }
    directory_ = a.directory;
    head_ = a.head;
    ext_ = a.ext;
    digits_ = std::max(4, a.digits);
    first_ = static_cast<int>(a.number);
    last_ = static_cast<int>(b.number);
    return true;
}

std::string SeriesFrameSource::FileName(int number) const {
    return kova::CFrameStore::Get_filename_series_new(head_, ext_, number, digits_);
}

std::string SeriesFrameSource::PathOf(int number) const {
    return MeasurePaths::FindExisting(directory_ + FileName(number));
}

int SeriesFrameSource::Load(int k, bool colour, int& frame) {
    const std::string path = PathOf(first_ + k - 1);
    store_.Put_window_full();
    kova::CImageFile files(store_);
    const int result = colour ? files.Load_imagefile_bmp_color(path, 1, 0, 0)
                              : files.Load_imagefile_bmp(path, 1, 0, 0);
    store_.Put_window_full();
    if (result != kova::CImageFile::kOk) {
        SetProblem("cannot read image " + path);
        return result < 0 ? result : -1;
    }
    frame = 1;
    return 0;
}

void SeriesFrameSource::StoreSource(CCfgFile& info) const {
    info.SetValue("ImagePath", StoredDirectory(directory_));
    info.SetValue("ImageNameHead", head_);
    info.SetValue("ImageFileExt", ext_);
    info.SetValue("ImageStartNum", first_);
    info.SetValue("ImageEndNum", last_);
    info.SetValue("ImageScenes", Count());
    info.SetValue("ImageStartFile", FileName(first_));
    info.SetValue("ImageEndFile", FileName(last_));
    info.SetValue("AviStartFrm", 0);
    info.SetValue("AviEndFrm", 0);
    info.SetValue("AviFile", std::string());
}
