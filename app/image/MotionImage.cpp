#include "MotionImage.h"

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CPointDataFile.h"
#include "CPtFile.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "SeriesName.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Each path as found on disk, without regard to case where it differs.
std::vector<std::string> ExistingPaths(std::vector<std::string> paths) {
    for (std::string& path : paths)
        path = MeasurePaths::FindExisting(path);
    return paths;
}

} // namespace

MotionImage::MotionImage(CImageDisplay& display, kova::CFrameStore& store, kova::Prompter& prompter)
    : display_(display), store_(store), prompter_(prompter) {
    source_.directory = store.Get_directory(1);
}

int MotionImage::ChooseSequence() {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::OpenMultiple;
    request.filter = kSequenceFilter;
    request.defaultExtension = "*.BMP";
    request.defaultName = source_.firstFile;
    request.initialDirectory = source_.directory;
    request.mustExist = true;
    request.overwritePrompt = true;
    std::vector<std::string> paths;
    if (!prompter_.ChooseFiles(request, &paths) || paths.empty()) return 0;
    const std::string directory = SeriesName::DirectoryOf(paths.back());
    const std::string firstName = SeriesName::NameOf(paths.front());
    const std::string lastName = SeriesName::NameOf(paths.back());
    const std::string ext = lastName.size() > 3 ? lastName.substr(lastName.size() - 3) : lastName;
    const int chosen = SeriesName::Upper(ext) == "BMP"
                           ? ChooseSeries(directory, firstName, lastName)
                           : ChooseAvi(directory, lastName);
    if (!chosen) return 0;
    chosen_ = true;
    described_ = true;
    if (onChosen_) onChosen_();
    return 1;
}

int MotionImage::ChooseSeries(const std::string& directory, const std::string& firstName,
                              const std::string& lastName) {
    std::string head1, head2, ext1, ext2;
    int number1 = 0, number2 = 0;
    if (!SeriesName::Split(firstName, &head1, &number1, &ext1) ||
        !SeriesName::Split(lastName, &head2, &number2, &ext2) || head1 != head2 || ext1 != ext2) {
        prompter_.Show(kWrongSelection, "KOVA", kova::MessageIcon::Exclamation);
        return 0;
    }
    const bool firstIsSmaller = number1 <= number2;
    ImageSource chosen = source_;
    chosen.directory = directory;
    chosen.head = head1;
    chosen.ext = ext1;
    chosen.firstNumber = firstIsSmaller ? number1 : number2;
    chosen.lastNumber = firstIsSmaller ? number2 : number1;
    chosen.firstFile = firstIsSmaller ? firstName : lastName;
    chosen.lastFile = firstIsSmaller ? lastName : firstName;
    chosen.frames = chosen.lastNumber - chosen.firstNumber + 1;
    chosen.kind = ImageSource::kBmpSeries;
    // Every file must be there before anything is read.
    const std::vector<std::string> paths = ExistingPaths(chosen.SeriesPaths());
    for (const std::string& path : paths) {
        if (!Exists(path)) {
            SayMissing(path);
            return 0;
        }
    }
    // The chosen file must be readable, or the old source stays in force.
    if (display_.Reader().ReadBmpFrame(SeriesName::Join(directory, lastName), 1) != 0) return 0;
    source_ = chosen;
    SetPages(paths, number2 - chosen.firstNumber + 1);
    return 1;
}

int MotionImage::ChooseAvi(const std::string& directory, const std::string& name) {
    const std::string path = SeriesName::Join(directory, name);
    FrameReader& reader = display_.Reader();
    int count = 0;
    const int read = reader.ReadAviFrame(path, 1, 1, &count);
    if (read == FrameReader::kReported) return 0;
    if (read != 1 && reader.ReadAviFallback(path, 1, 1, &count) != 1) return 0;
    source_.directory = directory;
    source_.ext = "AVI";
    source_.aviFile = name;
    source_.aviFirst = 1;
    source_.aviLast = count;
    source_.frames = count;
    source_.kind = ImageSource::kAviFile;
    SetAviPages(path, 1, count);
    return 1;
}

bool MotionImage::ShownInColor() const {
    return store_.Get_dispmode() == kova::CFrameStore::kColorDispMode;
}

void MotionImage::SetPages(const std::vector<std::string>& paths, int page) {
    display_.SetSeries(paths, ShownInColor() ? 3 : 2);
    display_.ShowPage(page);
}

void MotionImage::SetAviPages(const std::string& path, int first, int count) {
    display_.SetAvi(path, first, count, ShownInColor() ? 1 : 0);
    display_.ShowPage(1);
}

void MotionImage::SayMissing(const std::string& path) {
    prompter_.Show(kMissingImage + path, "KOVA", kova::MessageIcon::Exclamation);
}

int MotionImage::ShowFirstImage(const CPointDataFile* measurement) {
    const std::string trackPath = measurement ? measurement->GetLastPath() : std::string();
    const std::string wanted = source_.IsAvi() ? source_.AviPath() : source_.FirstImagePath();
    const std::string found = MeasurePaths::FindHereOrBeside(wanted, trackPath);
    if (found.empty()) {
        // A source never chosen nor read from a .TRI promises no images.
        if (described_) SayMissing(wanted);
        ShowEmptyFrame(measurement);
        return 0;
    }
    FrameReader& reader = display_.Reader();
    if (source_.IsAvi()) {
        const int first = std::max(1, source_.aviFirst);
        int total = 0;
        if (!reader.ReadAviFrameAnyhow(found, first, 1, &total)) return 0;
        const int last = source_.aviLast >= first ? source_.aviLast : total;
        SetAviPages(found, first, std::max(1, last - first + 1));
        return 1;
    }
    ImageSource moved = source_;
    moved.directory = SeriesName::DirectoryOf(found);
    std::vector<std::string> paths = ExistingPaths(moved.SeriesPaths());
    if (paths.empty()) paths.push_back(found);
    if (reader.ReadBmpFrame(found, 1) != 0) return 0;
    SetPages(paths, 1);
    return 1;
}

void MotionImage::ShowEmptyFrame(const CPointDataFile* measurement) {
    bool color = false;
    if (measurement) {
        // The header keeps the width of the tracked images, not their height.
        const MeasureHeader& header = measurement->GetHeader();
        if (header.widthEdge >= 1.0f && header.widthEdge < kova::CFrameStore::kMaxSide)
            store_.Put_framesize(static_cast<int>(std::lround(header.widthEdge)) + 1,
                                 store_.Height());
        color = header.imageType == 2;
    }
    // No pages: the measurement's frames are stepped over the empty frame.
    display_.SetSeries({}, color ? 1 : 0);
    store_.Put_dispmode(color ? kova::CFrameStore::kColorDispMode : 0);
    if (color)
        store_.Disp_frame_color(1);
    else
        store_.Disp_frame(1);
    display_.Refresh();
}

int MotionImage::SaveDisplayedImage() {
    if (repaint_) repaint_();
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.title = "指定保存文件。";
    request.filter = "位图文件(*.BMP)| *.BMP||";
    request.defaultExtension = "BMP";
    request.defaultName = "*.BMP";
    request.initialDirectory = source_.directory;
    request.overwritePrompt = true;
    std::string path;
    if (!prompter_.ChooseFile(request, &path)) return 0;
    if (store_.Write_dispdib(path) != 0) {
        CPtFile::SaveError(prompter_);
        return -1;
    }
    return 1;
}

bool MotionImage::SetZoom(int zoom) {
    switch (zoom) {
    case 50:
    case 100:
    case 200:
    case 300:
    case 400:
    case 500:
        zoom_ = zoom;
        return true;
    default:
        return false;
    }
}

std::string MotionImage::ZoomText(int zoom, int width, int height) {
    char text[96];
    std::snprintf(text, sizeof text, " Rate: %3d%% [Width: %4d Height: %4d]", zoom,
                  static_cast<int>(width * zoom * 0.01), static_cast<int>(height * zoom * 0.01));
    return text;
}

QPoint MotionImage::ToImage(QPoint window, QPoint scroll, int zoom) {
    if (zoom <= 0) zoom = 100;
    return QPoint((scroll.x() + window.x()) * 100 / zoom, (scroll.y() + window.y()) * 100 / zoom);
}
