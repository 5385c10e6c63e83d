#include "ImageSource.h"

#include "CCfgFile.h"
#include "SeriesName.h"
#include "VideoFileName.h"

namespace {

std::string TextOf(CCfgFile& info, const char* key) {
    std::string value;
    info.GetValue(key, &value);
    return value;
}

int IntOf(CCfgFile& info, const char* key, int fallback) {
    int value = fallback;
    info.GetValue(key, &value);
    return value;
}

} // namespace

int ImageSource::Digits() const {
    return SeriesName::DigitsOf(firstFile);
}

std::string ImageSource::FirstImagePath() const {
    return SeriesName::Join(directory, SeriesName::Format(head, firstNumber, ext, Digits()));
}

std::string ImageSource::AviPath() const {
    // Older files may hold the whole path of the AVI file.
    if (aviFile.find_first_of("/\\") != std::string::npos) return aviFile;
    return SeriesName::Join(directory, aviFile);
}

std::vector<std::string> ImageSource::SeriesPaths() const {
    return SeriesName::List(directory, head, ext, firstNumber, lastNumber - firstNumber + 1, 1,
                            Digits());
}

void ImageSource::Store(CCfgFile& info) const {
    info.SetValue("ImagePath", directory);
    info.SetValue("ImageNameHead", head);
    info.SetValue("ImageFileExt", ext);
    info.SetValue("ImageScenes", frames);
    if (!IsAvi()) {
        info.SetValue("ImageStartFile", firstFile);
        info.SetValue("ImageEndFile", lastFile);
        info.SetValue("ImageStartNum", firstNumber);
        info.SetValue("ImageEndNum", lastNumber);
    } else {
        info.SetValue("AviFile", aviFile);
        info.SetValue("AviStartFrm", aviFirst);
        info.SetValue("AviEndFrm", aviLast);
    }
}

bool ImageSource::Restore(CCfgFile& info) {
    const std::string kindText = TextOf(info, "ImageFileExt");
    if (kindText.empty()) {
        Store(info);
        return false;
    }
    directory = TextOf(info, "ImagePath");
    head = TextOf(info, "ImageNameHead");
    ext = kindText;
    frames = IntOf(info, "ImageScenes", frames);
    // Videos are stored as "AVI"; another video extension reads as one too.
    kind = kova::IsVideoFileName("." + ext) ? kAviFile : kBmpSeries;
    if (!IsAvi()) {
        firstNumber = IntOf(info, "ImageStartNum", firstNumber);
        lastNumber = IntOf(info, "ImageEndNum", lastNumber);
        firstFile = TextOf(info, "ImageStartFile");
        lastFile = TextOf(info, "ImageEndFile");
    } else {
        aviFile = TextOf(info, "AviFile");
        aviFirst = IntOf(info, "AviStartFrm", aviFirst);
        aviLast = IntOf(info, "AviEndFrm", aviLast);
    }
    return true;
}
