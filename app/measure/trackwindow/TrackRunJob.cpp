#include "TrackRunJob.h"

#include "AviFrameSource.h"
#include "ImageSource.h"
#include "SeriesFrameSource.h"
#include "TrackingRun.h"

TrackRunJob::TrackRunJob(std::function<void(const ManualPointSource::Request&)> asked)
    : proc_(store_), engine_(store_, proc_), clicks_(std::move(asked)), progress_(stop_) {
    engine_.SetManualPointSource(&clicks_);
    engine_.SetProgress(&progress_);
}

TrackRunJob::~TrackRunJob() = default;

bool TrackRunJob::Open(const ImageSource& source, std::string* error) {
    if (source.IsAvi()) {
        auto avi = std::make_unique<AviFrameSource>(store_, messages_);
        if (!avi->Open(source.AviPath(), source.aviFirst, source.aviLast, error)) return false;
        source_ = std::move(avi);
        return true;
    }
    const std::vector<std::string> paths = source.SeriesPaths();
    if (paths.empty()) {
        *error = "no images";
        return false;
    }
    auto series = std::make_unique<SeriesFrameSource>(store_);
    if (!series->SetFiles(paths.front(), paths.back(), error)) return false;
    source_ = std::move(series);
    return true;
}

int TrackRunJob::Load(int k, bool colour) {
    int frame = 1;
    return source_->Load(k, colour, frame);
}

int TrackRunJob::Run(const std::string& resultPath, const MeasureHeader& header) {
    TrackingRun run(engine_, messages_);
    return run.RunTracking(*source_, resultPath, header);
}

void TrackRunJob::RequestStop() {
    stop_ = true;
    clicks_.Stop();
}
