#include "MotionImage.h"

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CPtFile.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "SeriesName.h"

#include <cstdio>

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
    // The chosen file must be readable, or the old source stays in force.
    if (display_.Reader().ReadBmpFrame(SeriesName::Join(directory, lastName), 1) != 0) return 0;
    const bool firstIsSmaller = number1 <= number2;
    source_.directory = directory;
    source_.head = head1;
    source_.ext = ext1;
    source_.firstNumber = firstIsSmaller ? number1 : number2;
    source_.lastNumber = firstIsSmaller ? number2 : number1;
    source_.firstFile = firstIsSmaller ? firstName : lastName;
    source_.lastFile = firstIsSmaller ? lastName : firstName;
    source_.frames = source_.lastNumber - source_.firstNumber + 1;
    source_.kind = ImageSource::kBmpSeries;
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
    return 1;
}

int MotionImage::ShowFirstImage() {
    FrameReader& reader = display_.Reader();
    if (source_.IsAvi()) {
        const int first = source_.aviFirst < 1 ? 1 : source_.aviFirst;
        return reader.ReadAviFrameAnyhow(MeasurePaths::FindExisting(source_.AviPath()), first, 1,
                                         nullptr);
    }
    const std::string path = MeasurePaths::FindExisting(source_.FirstImagePath());
    return reader.ReadBmpFrame(path, 1) == 0 ? 1 : 0;
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
