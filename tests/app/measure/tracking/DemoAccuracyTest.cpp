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

// Tracks the written demo with the files the demo writes and compares every
// point with the ground truth.
TEST(DemoAccuracy, GreyBmpSeriesAndColourAviAreTrackedToATenthOfAPixel) {
    for (bool colour : {false, true}) {
        kova::test::TempDir dir;
        DemoSequence::Options options;
        options.frames = 24;
        options.colour = colour;
        options.markers = 16;
        const DemoSequence demo(options);
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

        kova::CImageProc proc(store);
        TrackingEngine engine(store, proc);
        CCfgFile config;
        ASSERT_TRUE(config.Load(dir.File("KOVA.CFG")));
        engine.Params().Load(config);
        for (int m = 0; m < demo.MarkerCount(); ++m) {
            TargetSetting& t = engine.Target(m);
            t.x = static_cast<float>(std::lround(demo.Truth(0, m).x));
            t.y = static_cast<float>(std::lround(demo.Truth(0, m).y));
            t.greyLow = engine.Params().monoValue[0];
            t.greyHigh = engine.Params().monoValue[1];
            std::copy(engine.Params().colorValue, engine.Params().colorValue + 6, t.colour);
        }
        engine.SetTargetCount(demo.MarkerCount());
        TrackingRun run(engine, prompter);
        ASSERT_EQ(run.RunTracking(source, dir.File("DEMO.TRK"),
                                  TrackingRun::MakeHeader(config, source, colour)),
                  0);
        CTrackFile2D file;
        ASSERT_TRUE(file.Load(dir.File("DEMO.TRK")));
        ASSERT_EQ(file.GetFrameCount(), 24);
        double sum = 0.0, worst = 0.0;
        int visible = 0, hidden = 0;
        for (int f = 0; f < 24; ++f) {
            for (int m = 0; m < demo.MarkerCount(); ++m) {
                XY_TRACK p{};
                file.GetPoint(m, f, &p);
                const DemoSequence::Point truth = demo.Truth(f, m);
                EXPECT_EQ(p.status, truth.visible ? kStatusFound : kStatusNotFound)
                    << "frame " << f << " marker " << m;
                if (!truth.visible) {
                    ++hidden;
                    continue;
                }
                const double e = std::hypot(p.x - truth.x, p.y - truth.y);
                sum += e;
                worst = std::max(worst, e);
                ++visible;
            }
        }
        EXPECT_EQ(hidden, 6) << colour;
        EXPECT_LE(sum / visible, 0.1) << colour;
        EXPECT_LE(worst, 0.5) << colour;
        EXPECT_TRUE(prompter.Messages().empty());
    }
}
