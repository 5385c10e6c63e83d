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
    EXPECT_EQ(engine.Params().Check(), "");
    EXPECT_EQ(engine.Params().processType, TrackParams::kAutomatic);
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
    engine.Start();
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

TEST(DemoSequence, MarkersStayApartSoEachSearchWindowHoldsOne) {
    for (int frames : {24, 60}) {
        DemoSequence::Options o = SmallDemo(false);
        o.frames = frames;
        o.markers = DemoSequence::kMaxMarkers;
        const DemoSequence demo(o);
        const double reach = 20.0 + demo.Radius() + 3.0; // half of a 41-pixel window
        for (int f = 0; f < frames; ++f) {
            for (int a = 0; a < demo.MarkerCount(); ++a) {
                const DemoSequence::Point pa = demo.Truth(f, a);
                EXPECT_TRUE(pa.x > reach && pa.y > reach && pa.x < o.width - reach &&
                            pa.y < o.height - reach);
                for (int b = a + 1; b < demo.MarkerCount(); ++b) {
                    const DemoSequence::Point pb = demo.Truth(f, b);
                    EXPECT_TRUE(std::fabs(pa.x - pb.x) > reach || std::fabs(pa.y - pb.y) > reach)
                        << "frame " << f << " markers " << a << ", " << b;
                }
            }
        }
    }
}

TEST(DemoSequence, CoverageIsExactForAFullAndAnEmptyPixelAndSumsToTheDiscArea) {
    EXPECT_DOUBLE_EQ(DemoSequence::Coverage(10, 10, 10.2, 10.1, 5.0), 1.0);
    EXPECT_DOUBLE_EQ(DemoSequence::Coverage(20, 10, 10.2, 10.1, 5.0), 0.0);
    double sum = 0.0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x)
            sum += DemoSequence::Coverage(x, y, 9.3, 10.6, 5.0);
    }
    EXPECT_NEAR(sum, 3.14159265358979 * 25.0, 1e-3);
}

TEST(DemoAccuracy, GreyBmpSeriesIsTrackedToATenthOfAPixel) {
    kova::test::TempDir dir;
    const DemoSequence demo(SmallDemo(false));
    std::string error;
    ASSERT_TRUE(DemoWriter::Write(dir.Path(), demo, DemoWriter::Format::BmpSeries, &error))
        << error;
    kova::CFrameStore store;
    SeriesFrameSource source(store);
    ASSERT_TRUE(source.SetFiles(DemoWriter::SeriesPath(dir.Path(), 1),
                                DemoWriter::SeriesPath(dir.Path(), 24), &error));
    const Accuracy a = TrackDemo(demo, source, store, dir.File("KOVA.CFG"), dir.File("DEMO.TRK"));
    EXPECT_EQ(a.hidden, 6);
    EXPECT_LE(a.meanError, 0.1);
    EXPECT_LE(a.maxError, 0.5);
}

TEST(DemoAccuracy, ColourAviIsTrackedToATenthOfAPixel) {
    kova::test::TempDir dir;
    const DemoSequence demo(SmallDemo(true));
    std::string error;
    ASSERT_TRUE(DemoWriter::Write(dir.Path(), demo, DemoWriter::Format::RawAvi, &error)) << error;
    kova::CFrameStore store;
    kova::RecordingPrompter prompter;
    AviFrameSource source(store, prompter);
    ASSERT_TRUE(source.Open(dir.File("DEMO.AVI"), 0, 0, &error)) << error;
    const Accuracy a = TrackDemo(demo, source, store, dir.File("KOVA.CFG"), dir.File("DEMO.TRK"));
    EXPECT_EQ(a.hidden, 6);
    EXPECT_LE(a.meanError, 0.1);
    EXPECT_LE(a.maxError, 0.5);
    EXPECT_TRUE(prompter.Messages().empty());
}
