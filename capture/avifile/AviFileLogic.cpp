#include "AviFileLogic.h"

#include "AviPreviewImage.h"
#include "CFrameStore.h"
#include "CVideoCapDS.h"
#include "NumberText.h"
#include "Prompter.h"
#include "ReplacingFile.h"

#include <QImage>
#include <algorithm>
#include <cctype>
#include <climits>
#include <sys/stat.h>

namespace {

constexpr double kMaxFrameRate = 10000.0;

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::size_t NameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? 0 : separator + 1;
}

} // namespace

AviFileLogic::AviFileLogic(kova::CFrameStore& store, kova::Prompter& prompter)
    : store_(store), prompter_(prompter) {
    fields_.directory = store_.Get_directory(1);
}

AviFileLogic::~AviFileLogic() = default;

std::string AviFileLogic::NoFrameText(int number) {
    return " 在本视频剪辑中不存在" + kova::FormatInt(number) + "-帧.";
}

int AviFileLogic::SaveItemCount(int start, int end, int interval, AviSaveLayout layout) {
    if (start > end || interval < 1) return 0;
    const long long span = static_cast<long long>(end) - start;
    const long long count =
        layout == AviSaveLayout::Frames ? span / interval + 1 : (2 * span + 1) / interval + 1;
    return static_cast<int>(std::min<long long>(count, INT_MAX));
}

void AviFileLogic::InitWindow() {
    if (controls_) controls_->WriteControls(fields_);
}

void AviFileLogic::ReadControls() {
    if (controls_) controls_->ReadControls(&fields_);
    failedField_ = AviFileField::None;
}

int AviFileLogic::Refuse(const std::string& text, AviFileField field) {
    failedField_ = field;
    prompter_.Show(text, kCaption, kova::MessageIcon::None, kova::MessageButtons::Ok);
    if (controls_ && field != AviFileField::None) controls_->FocusField(field);
    return 0;
}

std::string AviFileLogic::FilePath() const {
    if (NameStart(fields_.fileName) != 0) return fields_.fileName;
    return kova::CFrameStore::Make_fullpath(fields_.directory, fields_.fileName);
}

// A name ending in ".AVI" in any case, without wildcards.
bool AviFileLogic::CheckFileName() {
    std::string name = fields_.fileName.substr(NameStart(fields_.fileName));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool valid = name.size() > 4 && name.compare(name.size() - 4, 4, ".AVI") == 0 &&
                       name.find_first_of("*?") == std::string::npos;
    if (!valid) Refuse(kBadFileName, AviFileField::FileName);
    return valid;
}

bool AviFileLogic::Colour() const {
    return store_.Get_dispmode() == kova::CFrameStore::kColorDispMode;
}

int AviFileLogic::StoreFrames() const {
    return Colour() ? store_.Get_nofframe_color() : store_.Get_nofframe();
}

int AviFileLogic::Browse() {
    ReadControls();
    kova::FileDialogRequest request;
    const bool save = fields_.operation == AviOperation::Save;
    request.kind = save ? kova::FileDialogKind::Save : kova::FileDialogKind::Open;
    request.filter = "AVI 文件(*.avi)|*.avi|全文件(*.*)|*.*||";
    request.defaultExtension = "avi";
    request.initialDirectory = fields_.directory;
    request.defaultName = fields_.fileName;
    request.mustExist = !save;
    std::string path;
    if (!prompter_.ChooseFile(request, &path)) return 0;
    const std::size_t start = NameStart(path);
    fields_.fileName = path.substr(start);
    fields_.directory = start > 1 ? path.substr(0, start - 1) : path.substr(0, start);
    if (controls_) controls_->WriteControls(fields_);
    return 1;
}

// ---- preview ----

void AviFileLogic::ClosePreview() {
    preview_.Close();
    if (controls_) controls_->ShowPreview(QImage(), std::string());
}

int AviFileLogic::Preview() {
    if (running_) return 0;
    ReadControls();
    if (!CheckFileName()) return 0;
    ClosePreview();
    const std::string path = FilePath();
    if (!preview_.Open(path)) {
        if (!capture_) capture_ = std::make_unique<kova::CVideoCapDS>(store_);
        std::int64_t last = 0;
        if (!capture_->PutCaptureFileName(path) || !capture_->GetFrameNumber(&last) || last < 0)
            return Refuse(kUnsupportedFile, AviFileField::FileName);
        // The fallback reader tells the frame count and nothing else.
        if (controls_) {
            controls_->SetPropertyText(std::string());
            controls_->SetSliderRange(1,
                                      static_cast<int>(std::min<std::int64_t>(last + 1, INT_MAX)));
        }
        return 1;
    }
    capture_.reset(); // a file the AVI reader opens ends the fallback reader
    const kova::VideoInfo& info = preview_.Info();
    if (controls_) controls_->SetPropertyText(info.PropertyText());
    if (!info.IsSupportedDepth()) {
        preview_.Close();
        return 0;
    }
    if (controls_) controls_->SetSliderRange(1, info.frameCount);
    return ShowFrame(1);
}

int AviFileLogic::ShowFrame(int number) {
    if (!preview_.IsOpen()) return 0;
    const cv::Mat& frame = number >= 1 && number <= preview_.GetFrameCount()
                               ? preview_.DecodeFrame(number - 1)
                               : cv::Mat();
    if (frame.empty()) {
        if (controls_) controls_->ShowPreview(QImage(), NoFrameText(number));
        return 0;
    }
    if (controls_)
        controls_->ShowPreview(AviPreviewImage(frame, kPreviewWidth, kPreviewHeight), {});
    return 1;
}

// ---- running ----

int AviFileLogic::Run() {
    if (running_) return 0;
    ReadControls();
    return fields_.operation == AviOperation::Save ? Save() : Load();
}

void AviFileLogic::SetRunning(bool running) {
    running_ = running;
    if (controls_) controls_->SetRunning(running);
}

void AviFileLogic::Pump() {
    if (pump_) pump_();
}

AviFileLogic::RunEnd AviFileLogic::RunItems(int count, const std::function<bool(int)>& item) {
    stopRequested_ = false;
    SetRunning(true);
    if (controls_) controls_->SetProgress(0);
    RunEnd end = RunEnd::Finished;
    for (int done = 0; done < count; ++done) {
        if (stopRequested_) {
            end = RunEnd::Stopped;
            break;
        }
        if (!item(done)) {
            end = RunEnd::Failed;
            break;
        }
        if (controls_) controls_->SetProgress(static_cast<int>(100LL * (done + 1) / count));
        Pump();
    }
    stopRequested_ = false;
    SetRunning(false);
    return end;
}

// ---- load ----

int AviFileLogic::Load() {
    if (running_) return 0;
    ReadControls();
    if (!CheckFileName()) return 0;
    kova::CAviVideo reader;
    if (reader.Open(FilePath())) return LoadAvi(reader);
    return LoadFallback();
}

bool AviFileLogic::CheckLoadRange(int aviFrames, int storeFrames, int width, int height,
                                  bool fallback) {
    const AviFileFields& f = fields_;
    if (f.aviStart < 1 || f.aviStart > aviFrames) return Refuse(kBadStart, AviFileField::AviStart);
    if (f.aviEnd < 1 || f.aviEnd < f.aviStart || f.aviEnd > aviFrames)
        return Refuse(kBadEnd, AviFileField::AviEnd);
    if (f.systemStart < 1 || f.systemStart > f.systemEnd)
        return Refuse(kBadSystemRange, AviFileField::SystemStart);
    if (storeFrames < f.systemEnd) return Refuse(kEndTooLarge, AviFileField::SystemEnd);
    if (f.interval < 1) return Refuse(kBadInterval, AviFileField::Interval);
    if (f.startX < 0 || f.startX > width - 1)
        return Refuse(fallback ? kFallbackStartXTooLarge : kStartXTooLarge, AviFileField::StartX);
    if (f.startY < 0 || f.startY > height - 1)
        return Refuse(fallback ? kFallbackStartYTooLarge : kStartYTooLarge, AviFileField::StartY);
    return true;
}

// Items of a load: it ends at the AVI's end frame or the store's, whichever
// comes first.
int AviFileLogic::LoadCount() const {
    const int aviItems = (fields_.aviEnd - fields_.aviStart) / fields_.interval + 1;
    return std::min(aviItems, fields_.systemEnd - fields_.systemStart + 1);
}

void AviFileLogic::DisplayLoaded(int frame, bool colour) {
    if (frame < 1) return;
    if (colour)
        store_.Disp_frame_color(frame);
    else
        store_.Disp_frame(frame);
}

int AviFileLogic::LoadAvi(kova::CAviVideo& reader) {
    const kova::VideoInfo& info = reader.Info();
    if (!info.IsSupportedDepth()) {
        if (controls_) controls_->SetPropertyText(kUnsupportedFormat);
        return Refuse(kUnsupportedFormat, AviFileField::FileName);
    }
    if (!CheckLoadRange(info.frameCount, StoreFrames(), info.width, info.height, false)) return 0;
    if (!fields_.withinWindow) store_.Put_window_full();
    const bool colour = Colour();
    int last = 0;
    const RunEnd end = RunItems(LoadCount(), [&](int item) {
        const int frame = fields_.systemStart + item;
        const int index = fields_.aviStart - 1 + item * fields_.interval;
        if (!reader.LoadFrameFromAVI(index, store_, frame, colour ? 1 : 0, fields_.startX,
                                     fields_.startY))
            return false;
        last = frame;
        return true;
    });
    DisplayLoaded(last, colour);
    if (end == RunEnd::Failed) return Refuse(kReadFailed, AviFileField::None);
    return 1;
}

// The capture object's reader takes what the AVI reader cannot open; it
// reads into colour frames.
int AviFileLogic::LoadFallback() {
    if (!capture_) capture_ = std::make_unique<kova::CVideoCapDS>(store_);
    std::int64_t last = 0;
    if (!capture_->PutCaptureFileName(FilePath()) || !capture_->GetFrameNumber(&last) || last < 0)
        return Refuse(kUnsupportedFile, AviFileField::FileName);
    const int frames = static_cast<int>(std::min<std::int64_t>(last + 1, INT_MAX));
    if (!CheckLoadRange(frames, store_.Get_nofframe_color(), store_.Width(), store_.Height(), true))
        return 0;
    if (!fields_.withinWindow) store_.Put_window_full();
    int filled = 0;
    const RunEnd end = RunItems(LoadCount(), [&](int item) {
        const int frame = fields_.systemStart + item;
        const std::int64_t index =
            static_cast<std::int64_t>(fields_.aviStart) - 1 + std::int64_t{item} * fields_.interval;
        if (!capture_->ReadImageToMemory(frame, frame, fields_.startX, fields_.startY, index,
                                         fields_.interval) ||
            capture_->GetOperateFrame() != frame)
            return false;
        filled = frame;
        return true;
    });
    DisplayLoaded(filled, true);
    if (end == RunEnd::Failed) return Refuse(kReadFailed, AviFileField::None);
    return 1;
}

// ---- save ----

bool AviFileLogic::CheckSave(double* rate) {
    const AviFileFields& f = fields_;
    if (f.systemStart < 1 || f.systemStart > f.systemEnd)
        return Refuse(kBadStart, AviFileField::SystemStart);
    if (StoreFrames() < f.systemEnd) return Refuse(kBadEnd, AviFileField::SystemEnd);
    if (f.interval < 1) return Refuse(kBadInterval, AviFileField::Interval);
    *rate = kova::ParseDouble(f.frameRate);
    if (!(*rate > 0.0 && *rate <= kMaxFrameRate))
        return Refuse(kBadFrameRate, AviFileField::FrameRate);
    return true;
}

bool AviFileLogic::WriteItem(kova::CAviVideo& writer, int item) {
    const long long step = static_cast<long long>(item) * fields_.interval;
    if (fields_.layout == AviSaveLayout::Frames)
        return writer.WriteFrame(store_, static_cast<int>(fields_.systemStart + step)) != 0;
    // Fields: an even counter writes the first field, an odd one the other.
    const bool oddFirst = fields_.firstField == AviFirstField::Odd;
    const bool odd = (step % 2 == 0) == oddFirst;
    return writer.WriteField(store_, static_cast<int>(fields_.systemStart + step / 2),
                             odd ? kova::CAviVideo::kOddField : kova::CAviVideo::kEvenField) != 0;
}

int AviFileLogic::Save() {
    if (running_) return 0;
    ReadControls();
    if (!CheckFileName()) return 0;
    double rate = 0.0;
    if (!CheckSave(&rate)) return 0;
    const std::string path = FilePath();
    if (Exists(path) && prompter_.Show(path + kOverwrite, kCaption, kova::MessageIcon::None,
                                       kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return 0;
    const bool colour = Colour();
    const bool fields = fields_.layout == AviSaveLayout::Fields;
    const int count =
        SaveItemCount(fields_.systemStart, fields_.systemEnd, fields_.interval, fields_.layout);
    ReplacingFile file(path);
    kova::CAviVideo writer;
    if (!file.Create() ||
        !writer.Create(file.TemporaryPath(), store_.Width(), store_.Height(), count, rate,
                       fields ? kova::CAviVideo::Layout::Fields : kova::CAviVideo::Layout::Frames,
                       colour ? 1 : 0))
        return Refuse(kWriteFailed, AviFileField::None);
    const RunEnd end = RunItems(count, [&](int item) { return WriteItem(writer, item); });
    const bool closed = writer.Close() != 0;
    if (end == RunEnd::Stopped) return 0; // the temporary goes, an old file stays
    if (end == RunEnd::Failed || !closed || !file.Commit())
        return Refuse(kWriteFailed, AviFileField::None);
    return 1;
}
