#include "ImageFileLogic.h"

#include "CFrameStore.h"
#include "CImageSeries.h"
#include "CTextImage.h"
#include "CTextImageReader.h"
#include "ImageInfoText.h"
#include "InputFile.h"
#include "NumberText.h"
#include "SeriesFileName.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <climits>
#include <cstdint>

using kova::CFrameStore;
using kova::CImageFile;
using kova::CImageSeries;
using Kind = kova::CImageFile::Kind;

namespace {

constexpr int kImageDirectory = 1;

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

const char* TypeName(Kind kind) {
    switch (kind) {
    case Kind::Jpeg:
        return "JPEG";
    case Kind::Tiff:
        return "TIFF";
    default:
        return "Bitmap";
    }
}

bool Exists(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}

} // namespace

ImageFileLogic::ImageFileLogic(CFrameStore& store, kova::Prompter& prompter)
    : store_(store), prompter_(prompter) {
    fields_.directory = store_.Get_directory(kImageDirectory);
}

kova::MessageAnswer ImageFileLogic::Show(const std::string& text, kova::MessageButtons buttons) {
    return prompter_.Show(text, kCaption, kova::MessageIcon::None, buttons);
}

bool ImageFileLogic::Refuse(const char* text) {
    Show(text);
    return false;
}

int ImageFileLogic::Fail(const std::string& text) {
    Show(text);
    return -1;
}

void ImageFileLogic::Pump() {
    if (pump_) pump_();
}

std::string ImageFileLogic::PathOf(const std::string& name) const {
    return CFrameStore::Make_fullpath(fields_.directory, name);
}

bool ImageFileLogic::Browse() {
    if (running_) return false;
    if (controls_) controls_->ReadControls(&fields_);
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::OpenMultiple;
    request.filter = kFilter;
    request.initialDirectory = fields_.directory;
    if (fields_.operation == ImageFileOperation::Save) {
        const std::string name = Trim(fields_.file1);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) request.defaultExtension = name.substr(dot + 1);
    }
    std::vector<std::string> paths;
    if (!prompter_.ChooseFiles(request, &paths) || paths.empty()) return false;
    const std::size_t separator = LastSeparator(paths.front());
    if (separator != std::string::npos) {
        fields_.directory = separator == 0 ? std::string("/") : paths.front().substr(0, separator);
        store_.Put_directory(kImageDirectory, fields_.directory);
    }
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        const std::size_t at = LastSeparator(path);
        names.push_back(at == std::string::npos ? path : path.substr(at + 1));
    }
    std::sort(names.begin(), names.end());
    fields_.file1 = names.front();
    fields_.file2 = names.size() > 1 ? names.back() : std::string();
    if (controls_) controls_->WriteControls(fields_);
    return true;
}

// ---- checks, in the dialog's order: name, interval, series, frames ----

bool ImageFileLogic::Check(Job* job) {
    job->name = Trim(fields_.file1);
    job->kind = CImageFile::KindOfName(job->name);
    if (job->name.empty() || job->name.find_first_of("*?") != std::string::npos ||
        job->kind == Kind::Unknown)
        return Refuse(kBadName);
    const std::int64_t range = std::int64_t{fields_.endFrame} - fields_.startFrame + 1;
    if (fields_.interval < 1 || fields_.interval > range) return Refuse(kBadInterval);
    job->color = store_.Get_dispmode() == CFrameStore::kColorDispMode;
    job->count = 1;
    if (fields_.continuous && !CheckSeries(job)) return false;
    return CheckFrames(*job);
}

bool ImageFileLogic::CheckSeries(Job* job) {
    if (!SeriesFileName::Split(job->name, &job->head, &job->firstNumber, &job->ext))
        return Refuse(kBadName);
    std::int64_t count = 0;
    if (fields_.operation == ImageFileOperation::Save) {
        count = (std::int64_t{fields_.endFrame} - fields_.startFrame) / fields_.interval + 1;
        if (fields_.fieldUnit) count *= 2;
    } else {
        std::string head;
        std::string ext;
        int last = 0;
        if (!SeriesFileName::Split(Trim(fields_.file2), &head, &last, &ext) ||
            Upper(head) != Upper(job->head) || Upper(ext) != Upper(job->ext) ||
            last < job->firstNumber)
            return Refuse(kBadName);
        count = std::min<std::int64_t>(std::int64_t{fields_.endFrame} - fields_.startFrame,
                                       std::int64_t{last} - job->firstNumber) +
                1;
    }
    if (job->firstNumber + count - 1 > INT_MAX) return Refuse(kBadName);
    job->count = static_cast<int>(count);
    return true;
}

// A series needs frames 1 <= start <= end within the store's capacity.
bool ImageFileLogic::CheckFrames(const Job& job) {
    const bool usesFrames = fields_.operation == ImageFileOperation::Load ||
                            fields_.operation == ImageFileOperation::Save;
    if (!fields_.continuous || !usesFrames) return true;
    const int capacity = job.color ? store_.Get_nofframe_color() : store_.Get_nofframe();
    if (fields_.startFrame < 1 || fields_.endFrame > capacity) return Refuse(kFramesMissing);
    return true;
}

// ---- run ----

int ImageFileLogic::Run() {
    if (running_) return 0;
    if (controls_) controls_->ReadControls(&fields_);
    // The image directory is shared with the store (text image series use it).
    if (fields_.directory.empty()) {
        fields_.directory = store_.Get_directory(kImageDirectory);
    } else {
        store_.Put_directory(kImageDirectory, fields_.directory);
    }
    Job job;
    if (!Check(&job)) return 0;
    job_ = job;
    running_ = true;
    store_.Put_progress_pos(0);
    if (controls_) controls_->SetRunning(true);
    const int result = Perform(job);
    running_ = false;
    store_.Put_progress_pos(0);
    if (controls_) controls_->SetRunning(false);
    return result;
}

void ImageFileLogic::Stop() {
    if (running_) store_.Put_progress_pos(-1);
}

int ImageFileLogic::Perform(const Job& job) {
    switch (fields_.operation) {
    case ImageFileOperation::Load:
        return Load(job);
    case ImageFileOperation::Save:
        return Save(job);
    case ImageFileOperation::Delete:
        return Delete(job);
    case ImageFileOperation::Information:
        return Information(job);
    }
    return 0;
}

std::vector<std::string> ImageFileLogic::Paths(const Job& job) const {
    if (!fields_.continuous) return {PathOf(job.name)};
    std::vector<std::string> paths;
    for (int i = 0; i < job.count; ++i)
        paths.push_back(PathOf(SeriesFileName::Build(job.head, job.firstNumber + i, job.ext)));
    return paths;
}

void ImageFileLogic::Display(int frame, bool color) {
    if (color) {
        store_.Disp_frame_color(frame);
    } else {
        store_.Disp_frame(frame);
    }
}

// ---- load ----

int ImageFileLogic::Load(const Job& job) {
    if (!fields_.withinWindow) store_.Put_window_full();
    if (fields_.continuous) return LoadSeries(job);
    const std::string path = PathOf(job.name);
    const int frame = job.color ? store_.Get_dispframe_color() : store_.Get_dispframe();
    int result = 0;
    if (job.kind == Kind::Text) {
        kova::CTextImage text(store_, prompter_);
        result = job.color ? text.ReadColor(path, frame) : text.ReadMono(path, frame);
    } else if (CImageFile(store_).Load_image(path, frame, fields_.startX, fields_.startY,
                                             job.color) != CImageFile::kOk) {
        Show(path + "\n" + kLoadFailed);
        result = -1;
    }
    Display(frame, job.color);
    return result == 0 ? 1 : -1;
}

int ImageFileLogic::LoadSeries(const Job& job) {
    const int last = fields_.startFrame + job.count - 1;
    if (job.kind == Kind::Text) {
        kova::CTextImage text(store_, prompter_);
        text.SetEventPump(pump_);
        const int result =
            job.color
                ? text.ReadSeriesColor(job.firstNumber, fields_.startFrame, last, job.head, job.ext)
                : text.ReadSeriesMono(job.firstNumber, fields_.startFrame, last, job.head, job.ext);
        return result == 0 ? 1 : -1;
    }
    CImageFile files(store_);
    CImageSeries series(store_, files);
    series.Put_step_callback([this, &series, &job] {
        Display(fields_.startFrame + series.Get_done() - 1, job.color);
        Pump();
    });
    const int result = series.Load_series(fields_.directory, job.head, job.ext, job.firstNumber,
                                          job.firstNumber + job.count - 1, fields_.startFrame, last,
                                          1, fields_.startX, fields_.startY, job.color);
    if (result == CImageSeries::kStopped) return 0;
    if (result == CImageFile::kOk) return 1;
    const std::string name =
        SeriesFileName::Build(job.head, job.firstNumber + series.Get_done(), job.ext);
    return Fail(series.ResolvePath(fields_.directory, name) + "\n" + kLoadFailed);
}

// ---- save ----

bool ImageFileLogic::ConfirmOverwrite(const Job& job) {
    for (const std::string& path : Paths(job)) {
        if (Exists(path))
            return Show(path + kOverwrite, kova::MessageButtons::OkCancel) ==
                   kova::MessageAnswer::Ok;
    }
    return true;
}

int ImageFileLogic::Save(const Job& job) {
    // Text images hold whole frames only.
    if (job.kind == Kind::Text && fields_.fieldUnit) {
        Show(kNoTextFields);
        return 0;
    }
    if (!ConfirmOverwrite(job)) return 0;
    if (fields_.continuous) return SaveSeries(job);
    const std::string path = PathOf(job.name);
    const int frame = job.color ? store_.Get_dispframe_color() : store_.Get_dispframe();
    const int window = fields_.withinWindow ? 1 : 0;
    if (job.kind == Kind::Text) {
        kova::CTextImage text(store_, prompter_);
        const int result =
            job.color ? text.WriteColor(path, frame, window) : text.WriteMono(path, frame, window);
        return result == 0 ? 1 : -1;
    }
    if (CImageFile(store_).Save_image(path, frame, job.color, window, 0) != CImageFile::kOk)
        return Fail(path + "\n" + kSaveFailed);
    return 1;
}

int ImageFileLogic::SaveSeries(const Job& job) {
    if (job.kind == Kind::Text) return SaveTextSeries(job);
    CImageFile files(store_);
    CImageSeries series(store_, files);
    series.Put_step_callback([this] { Pump(); });
    int fields = CImageSeries::kFrames;
    if (fields_.fieldUnit)
        fields =
            fields_.evenFieldFirst ? CImageSeries::kEvenFieldFirst : CImageSeries::kOddFieldFirst;
    const int result = series.Save_series(fields_.directory, job.head, job.ext, job.firstNumber,
                                          fields_.startFrame, fields_.endFrame, fields_.interval,
                                          fields_.withinWindow ? 1 : 0, fields, job.color);
    if (result == CImageSeries::kStopped) return 0;
    if (result == CImageFile::kOk) return 1;
    return Fail(
        PathOf(SeriesFileName::Build(job.head, job.firstNumber + series.Get_done(), job.ext)) +
        "\n" + kSaveFailed);
}

// Text images written every interval frames; the writer shows its own
// failure message.
int ImageFileLogic::SaveTextSeries(const Job& job) {
    kova::CTextImage text(store_, prompter_);
    const int window = fields_.withinWindow ? 1 : 0;
    for (int i = 0; i < job.count; ++i) {
        if (store_.Get_progress_pos() == -1) return 0;
        const int frame = fields_.startFrame + i * fields_.interval;
        const std::string path =
            PathOf(SeriesFileName::Build(job.head, job.firstNumber + i, job.ext));
        const int result =
            job.color ? text.WriteColor(path, frame, window) : text.WriteMono(path, frame, window);
        if (result != 0) return -1;
        store_.Put_progress_pos(i + 1);
        Pump();
    }
    return 1;
}

// ---- delete ----

int ImageFileLogic::Delete(const Job& job) {
    const std::vector<std::string> paths = Paths(job);
    std::string question = paths.front();
    if (fields_.continuous) {
        const std::string& last = paths.back();
        const std::size_t at = LastSeparator(last);
        question += " - " + (at == std::string::npos ? last : last.substr(at + 1)) + " (" +
                    kova::FormatInt(job.count) + " 个文件)";
    }
    if (Show(question + kConfirmDelete, kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return 0;
    if (!fields_.continuous) {
        if (!QFile::remove(QString::fromStdString(paths.front()))) return Fail(kCannotDelete);
        return 1;
    }
    CImageFile files(store_);
    CImageSeries series(store_, files);
    series.Put_step_callback([this] { Pump(); });
    const int result = series.Delete_series(fields_.directory, job.head, job.ext, job.firstNumber,
                                            job.firstNumber + job.count - 1, 1);
    if (result == CImageSeries::kStopped) return 0;
    if (result != CImageFile::kOk) return Fail(kCannotDelete);
    return 1;
}

// ---- information ----

int ImageFileLogic::Information(const Job& job) {
    const std::string path = PathOf(job.name);
    if (job.kind == Kind::Text) {
        std::FILE* file = kova::OpenInputFile(path);
        if (!file) return Fail(kCannotOpen);
        std::fclose(file);
        kova::CTextImageReader reader(store_);
        kova::CTextImageReader::Header header;
        if (reader.ReadHeader(path, &header) != 0) return Fail(kBadTextHeader);
        Show(ImageInfoText::ForTextImage(header.width, header.height,
                                         header.kind == kova::CTextImageReader::kColor));
        return 1;
    }
    int width = 0;
    int height = 0;
    int bits = 0;
    if (CImageFile::Get_imagefile_info(path, width, height, bits) != CImageFile::kOk)
        return Fail(kCannotOpen);
    Show(ImageInfoText::ForImage(TypeName(job.kind), width, height, bits));
    return 1;
}
