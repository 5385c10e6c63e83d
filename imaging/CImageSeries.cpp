#include "CImageSeries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace kova {

namespace {

constexpr int kSeriesDigits = 4;

std::string Upper(const QString& text) {
    return text.toUpper().toStdString();
}

} // namespace

CImageSeries::CImageSeries(CFrameStore& store, CImageFile& files) : store_(store), files_(files) {}

void CImageSeries::Put_step_callback(std::function<void()> callback) {
    stepCallback_ = std::move(callback);
}

// Series run over the numbered frames of the store, never into colour planes.
bool CImageSeries::FramesExist(int first, int last, bool color) const {
    const int count = color ? store_.Get_nofframe_color() : store_.Get_nofframe();
    return first >= 0 && last <= count;
}

void CImageSeries::Step() {
    ++done_;
    store_.Put_progress_pos(done_);
    if (stepCallback_) stepCallback_();
}

std::string CImageSeries::ResolvePath(const std::string& directory, const std::string& name) {
    const std::string path = CFrameStore::Make_fullpath(directory, name);
    if (QFileInfo::exists(QString::fromStdString(path))) return path;
    if (directory != listedDirectory_) {
        listing_.clear();
        listedDirectory_ = directory;
        const QDir dir(QString::fromStdString(directory.empty() ? std::string(".") : directory));
        for (const QString& entry : dir.entryList(QDir::Files)) {
            listing_.emplace(Upper(entry), entry.toStdString());
        }
    }
    const auto found = listing_.find(Upper(QString::fromStdString(name)));
    return found == listing_.end() ? path : CFrameStore::Make_fullpath(directory, found->second);
}

int CImageSeries::Load_series(const std::string& directory, const std::string& head,
                              const std::string& ext, int firstNumber, int lastNumber,
                              int startFrame, int endFrame, int interval, int x, int y,
                              bool color) {
    done_ = 0;
    listedDirectory_.clear();
    if (interval < 1 || lastNumber < firstNumber || endFrame < startFrame) return kBadRange;
    const int64_t files = (int64_t{lastNumber} - firstNumber) / interval;
    const int count =
        static_cast<int>(std::min<int64_t>(int64_t{endFrame} - startFrame, files)) + 1;
    const int lastFrame = startFrame + count - 1;
    if (!FramesExist(startFrame, lastFrame, color)) return CImageFile::kBadFrame;
    for (int i = 0; i < count; ++i) {
        if (StopRequested()) return kStopped;
        const std::string name = CFrameStore::Get_filename_series_new(
            head, ext, static_cast<int>(firstNumber + int64_t{i} * interval), kSeriesDigits);
        const int result =
            files_.Load_image(ResolvePath(directory, name), startFrame + i, x, y, color);
        if (result != CImageFile::kOk) return result;
        Step();
    }
    return CImageFile::kOk;
}

int CImageSeries::Save_series(const std::string& directory, const std::string& head,
                              const std::string& ext, int firstNumber, int startFrame, int endFrame,
                              int interval, int window, int fields, bool color) {
    done_ = 0;
    if (interval < 1 || endFrame < startFrame || fields < kFrames || fields > kEvenFieldFirst) {
        return kBadRange;
    }
    if (!FramesExist(startFrame, endFrame, color)) return CImageFile::kBadFrame;
    int number = firstNumber;
    for (int64_t frame = startFrame; frame <= endFrame; frame += interval) {
        const int parts = fields == kFrames ? 1 : 2;
        for (int part = 0; part < parts; ++part) {
            if (StopRequested()) return kStopped;
            int field = 0;
            if (fields != kFrames) field = (fields == kOddFieldFirst) == (part == 0) ? 1 : 2;
            const std::string path = CFrameStore::Make_fullpath(
                directory,
                CFrameStore::Get_filename_series_new(head, ext, number++, kSeriesDigits));
            const int result =
                files_.Save_image(path, static_cast<int>(frame), color, window, field);
            if (result != CImageFile::kOk) return result;
            Step();
        }
    }
    return CImageFile::kOk;
}

int CImageSeries::Delete_series(const std::string& directory, const std::string& head,
                                const std::string& ext, int firstNumber, int lastNumber,
                                int interval) {
    done_ = 0;
    listedDirectory_.clear();
    if (interval < 1 || lastNumber < firstNumber) return kBadRange;
    int result = CImageFile::kOk;
    for (int64_t number = firstNumber; number <= lastNumber; number += interval) {
        if (StopRequested()) return kStopped;
        const std::string name = CFrameStore::Get_filename_series_new(
            head, ext, static_cast<int>(number), kSeriesDigits);
        const QString path = QString::fromStdString(ResolvePath(directory, name));
        if (QFileInfo::exists(path) && !QFile::remove(path)) result = kDeleteFailed;
        Step();
    }
    return result;
}

} // namespace kova
