#include "AviFrameSource.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageProc.h"
#include "CTrackFile2D.h"
#include "DemoSequence.h"
#include "DemoWriter.h"
#include "RecordingPrompter.h"
#include "SeriesFrameSource.h"
#include "TestFiles.h"
#include "TrackingEngine.h"
#include "TrackingRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Accuracy {
    double meanError = 0.0;
    double maxError = 0.0;
    int visible = 0;
    int hidden = 0;
};

// Tracks the written demo with the files the demo writes and compares every
// point with the ground truth.
Accuracy TrackDemo(const DemoSequence& demo, FrameSource& source, kova::CFrameStore& store,
                   const std::string& configPath, const std::string& result) {
    kova::CImageProc proc(store);
    TrackingEngine engine(store, proc);
    CCfgFile config;
    EXPECT_TRUE(config.Load(configPath));
    engine.Params().Load(config);
    for (int m = 0; m < demo.MarkerCount(); ++m) {
        const DemoSequence::Point p = demo.Truth(0, m);
        TargetSetting& t = engine.Target(m);
        t.x = static_cast<float>(std::lround(p.x));
        t.y = static_cast<float>(std::lround(p.y));
        t.greyLow = engine.Params().monoValue[0];
        t.greyHigh = engine.Params().monoValue[1];
        std::copy(engine.Params().colorValue, engine.Params().colorValue + 6, t.colour);
    }
    engine.SetTargetCount(demo.MarkerCount());
    kova::RecordingPrompter prompter;
    TrackingRun run(engine, prompter);
    const bool colour = engine.Params().IsColour();
    EXPECT_EQ(run.RunTracking(source, result, TrackingRun::MakeHeader(config, source, colour)), 0);
    CTrackFile2D file;
    EXPECT_TRUE(file.Load(result));
    EXPECT_EQ(file.GetFrameCount(), demo.GetOptions().frames);
    Accuracy a;
    for (int f = 0; f < file.GetFrameCount(); ++f) {
        for (int m = 0; m < demo.MarkerCount(); ++m) {
            XY_TRACK p{};
            file.GetPoint(m, f, &p);
            const DemoSequence::Point truth = demo.Truth(f, m);
            if (!truth.visible) {
                EXPECT_EQ(p.status, kStatusNotFound) << "frame " << f << " marker " << m;
                ++a.hidden;
                continue;
            }
            EXPECT_EQ(p.status, kStatusFound) << "frame " << f << " marker " << m;
            const double e = std::hypot(p.x - truth.x, p.y - truth.y);
            a.meanError += e;
            a.maxError = std::max(a.maxError, e);
            ++a.visible;
        }
    }
    a.meanError /= std::max(a.visible, 1);
    return a;
}

DemoSequence::Options SmallDemo(bool colour) {
    DemoSequence::Options o;
    o.frames = 24;
    o.colour = colour;
    o.markers = 16;
    return o;
}

} // namespace

TEST(DemoAccuracy, GreyBmpSeriesAndColourAviAreTrackedToATenthOfAPixel) {
    for (bool colour : {false, true}) {
        kova::test::TempDir dir;
        const DemoSequence demo(SmallDemo(colour));
        std::string error;
        const auto format = colour ? DemoWriter::Format::RawAvi : DemoWriter::Format::BmpSeries;
        ASSERT_TRUE(DemoWriter::Write(dir.Path(), demo, format, &error)) << error;
        kova::CFrameStore store;
        kova::RecordingPrompter prompter;
        AviFrameSource avi(store, prompter);
        SeriesFrameSource series(store);
        const bool opened = colour
                                ? avi.Open(dir.File("DEMO.AVI"), 0, 0, &error)
                                : series.SetFiles(DemoWriter::SeriesPath(dir.Path(), 1),
                                                  DemoWriter::SeriesPath(dir.Path(), 24), &error);
        ASSERT_TRUE(opened) << error;
        FrameSource& source = colour ? static_cast<FrameSource&>(avi) : series;
        const Accuracy a =
            TrackDemo(demo, source, store, dir.File("KOVA.CFG"), dir.File("DEMO.TRK"));
        EXPECT_EQ(a.hidden, 6) << colour;
        EXPECT_LE(a.meanError, 0.1) << colour;
        EXPECT_LE(a.maxError, 0.5) << colour;
        EXPECT_TRUE(prompter.Messages().empty());
    }
}
