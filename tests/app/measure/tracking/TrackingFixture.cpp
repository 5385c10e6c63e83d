#include "TrackingFixture.h"

#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "StoreFrameSource.h"
#include "TrackingRun.h"

TrackingFixture::TrackingFixture() : resultPath(dir.File("RUN.TRK")) {
    store.Put_framesize(kWidth, kHeight);
    engine.Params().processType = TrackParams::ProcessType::Automatic;
}

void TrackingFixture::Clear(int frame, int value) {
    store.Put_window_full();
    store.Fill_frame(frame, value, true);
}

void TrackingFixture::Square(int frame, int x, int y, int side, int value) {
    for (int v = y; v < y + side; ++v)
        for (int u = x; u < x + side; ++u)
            store.Write_pixel(frame, u, v, value);
}

void TrackingFixture::SetTarget(int i, float x, float y, int size) {
    TargetSetting& t = engine.Target(i);
    t.x = x;
    t.y = y;
    t.width = static_cast<std::int16_t>(size);
    t.height = static_cast<std::int16_t>(size);
    t.greyLow = 200;
    t.greyHigh = 255;
    if (engine.TargetCount() < i + 1) engine.SetTargetCount(i + 1);
}

int TrackingFixture::Run(int frames, std::vector<std::vector<XY_TRACK>>* points,
                         MeasureHeader* header) {
    StoreFrameSource source(1, frames);
    const int result = RunSource(source, resultPath);
    CTrackFile2D file;
    points->clear();
    if (file.Load(resultPath)) {
        points->resize(static_cast<std::size_t>(file.GetTargetCount()));
        for (int t = 0; t < file.GetTargetCount(); ++t) {
            for (int f = 0; f < file.GetFrameCount(); ++f) {
                XY_TRACK p{};
                file.GetPoint(t, f, &p);
                (*points)[static_cast<std::size_t>(t)].push_back(p);
            }
        }
    }
    if (header) *header = file.GetHeader();
    return result;
}

int TrackingFixture::RunSource(FrameSource& source, const std::string& path, CCfgFile config) {
    TrackingRun run(engine, prompter);
    return run.RunTracking(source, path, TrackingRun::MakeHeader(config, source, false));
}
