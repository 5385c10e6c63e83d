#include "TrackingRun.h"

#include "CCfgFile.h"
#include "CTrackInfo2D.h"
#include "ConfigCalibration.h"
#include "FrameSource.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "TrackResultFile.h"
#include "TrackingEngine.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

MeasureHeader TrackingRun::MakeHeader(CCfgFile& config, const FrameSource& source, bool colour) {
    MeasureHeader h = HeaderWithConfigCalibration(config);
    h.imageType = colour ? 2 : 0;
    h.firstNumber = static_cast<std::int16_t>(source.FirstNumber());
    h.lastNumber = static_cast<std::int16_t>(source.LastNumber());
    return h;
}

void TrackingRun::FileError() {
    prompter_.Show("追踪文件错误。", "KOVA", kova::MessageIcon::Exclamation,
                   kova::MessageButtons::Ok);
}

void TrackingRun::NothingTracked() {
    prompter_.Show("没有追踪到任何帧，原结果文件保持不变。", "KOVA", kova::MessageIcon::Exclamation,
                   kova::MessageButtons::Ok);
}

void TrackingRun::FinishHeader() {
    header_.frames = static_cast<std::int16_t>(engine_.FramesTracked());
    header_.targets = static_cast<std::int16_t>(engine_.TargetCount());
    header_.reserved30 = 0.0f;
    header_.reserved34 = 0.0f;
    header_.widthEdge = static_cast<float>(engine_.FrameWidth() - 1);
    header_.reserved42 = 0.0f;
    for (int s = 0; s < 5; ++s)
        header_.statusCounts[s] = engine_.StatusTotals()[s];
}

int TrackingRun::RunTracking(FrameSource& source, const std::string& resultPath,
                             MeasureHeader header) {
    header_ = header;
    resultPath_ = MeasurePaths::TrackNameFor(resultPath);
    infoPath_ = MeasurePaths::InfoNameFor(resultPath_);
    unsavedPath_ = resultPath_;
    committed_ = false;
    TrackResultFile file;
    if (!file.CreateStaged(resultPath_) ||
        file.SeekTo(MeasureHeader::kBytes) != MeasureHeader::kBytes) {
        FileError();
        return -1;
    }
    int result = engine_.TrackSequence(file, source);
    FinishHeader();
    const bool headerOk = engine_.WriteTrackHeader(file, header_) != 0;
    if (!file.Close() || !headerOk) {
        FileError();
        return result == 0 ? -1 : result;
    }
    if (engine_.FramesTracked() == 0) {
        unsavedPath_.clear();
        NothingTracked();
        return result == 0 ? -1 : result;
    }
    if (!PutInPlace(file, source)) {
        FileError();
        return result == 0 ? -1 : result;
    }
    unsavedPath_.clear();
    committed_ = true;
    if (reload_) reload_(resultPath_);
    return result;
}

// Stages the .TRI beside its final name, then renames the .TRK and the .TRI
// over the old pair; neither final name is touched unless both are ready.
bool TrackingRun::PutInPlace(TrackResultFile& file, const FrameSource& source) {
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::u8path(infoPath_), error)) {
        unsavedPath_ = infoPath_;
        return false;
    }
    const std::string stagedInfo = TrackResultFile::ReserveBeside(infoPath_);
    const bool infoOk = !stagedInfo.empty() && WriteInfo(source, stagedInfo);
    if (!infoOk) {
        if (!stagedInfo.empty()) std::remove(stagedInfo.c_str());
        unsavedPath_ = infoPath_;
        return false;
    }
    if (!file.Commit()) {
        std::remove(stagedInfo.c_str());
        return false;
    }
    if (!TrackResultFile::Replace(stagedInfo, infoPath_)) {
        std::remove(stagedInfo.c_str());
        unsavedPath_ = infoPath_;
        return false;
    }
    return true;
}

bool TrackingRun::WriteInfo(const FrameSource& source, const std::string& staged) {
    CTrackInfo2D info(&prompter_);
    info.SetAutoSave(0);
    source.StoreSource(info);
    return info.Save(staged) != 0;
}
