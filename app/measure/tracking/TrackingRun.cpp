#include "TrackingRun.h"

#include "CCfgFile.h"
#include "CTrackInfo2D.h"
#include "FrameSource.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "TrackResultFile.h"
#include "TrackingEngine.h"

MeasureHeader TrackingRun::MakeHeader(CCfgFile& config, const FrameSource& source, bool colour) {
    MeasureHeader h;
    // The start-up defaults of the calibration keys.
    h.interval = 1;
    h.frameRate = 30;
    h.timeUnit = 4;
    h.scale = 1.0f;
    h.lengthUnit = 4;
    h.directY = 1;
    config.GetValue("Calibration2DInterval", &h.interval);
    config.GetValue("Calibration2DFrames", &h.frameRate);
    config.GetValue("Calibration2DTimeUnit", &h.timeUnit);
    config.GetValue("Calibration2DLength", &h.scale);
    config.GetValue("Calibration2DLengthUnit", &h.lengthUnit);
    config.GetValue("Calibration2DOriginX", &h.originX);
    config.GetValue("Calibration2DOriginY", &h.originY);
    config.GetValue("Calibration2DAngle", &h.angle);
    config.GetValue("Calibration2DDirectY", &h.directY);
    h.imageType = colour ? 2 : 0;
    h.firstNumber = static_cast<std::int16_t>(source.FirstNumber());
    h.lastNumber = static_cast<std::int16_t>(source.LastNumber());
    return h;
}

void TrackingRun::FileError() {
    prompter_.Show("追踪文件错误。", "KOVA", kova::MessageIcon::Exclamation,
                   kova::MessageButtons::Ok);
}

int TrackingRun::RunTracking(FrameSource& source, const std::string& resultPath,
                             MeasureHeader header) {
    header_ = header;
    infoPath_.clear();
    unsavedPath_ = resultPath;
    TrackResultFile file;
    if (!file.Create(resultPath) || file.SeekTo(MeasureHeader::kBytes) != MeasureHeader::kBytes) {
        FileError();
        return -1;
    }
    int result = engine_.TrackSequence(file, source);
    header_.frames = static_cast<std::int16_t>(engine_.FramesTracked());
    header_.targets = static_cast<std::int16_t>(engine_.TargetCount());
    header_.reserved30 = 0.0f;
    header_.reserved34 = 0.0f;
    header_.widthEdge = static_cast<float>(engine_.FrameWidth() - 1);
    header_.reserved42 = 0.0f;
    for (int s = 0; s < 5; ++s)
        header_.statusCounts[s] = engine_.StatusTotals()[s];
    const bool headerOk = engine_.WriteTrackHeader(file, header_) != 0;
    if (!file.Close() || !headerOk) {
        FileError();
        if (result == 0) result = -1;
    } else {
        unsavedPath_.clear();
    }
    if (!WriteInfo(source, resultPath)) {
        if (unsavedPath_.empty()) unsavedPath_ = infoPath_;
        if (result == 0) result = -1;
    }
    if (reload_) reload_(resultPath);
    return result;
}

bool TrackingRun::WriteInfo(const FrameSource& source, const std::string& resultPath) {
    infoPath_ = MeasurePaths::InfoNameFor(resultPath);
    CTrackInfo2D info(&prompter_);
    info.SetAutoSave(0);
    source.StoreSource(info);
    return info.Save(infoPath_) != 0;
}
