#include "CCfgFile.h"
#include "CImageProc.h"
#include "ManualRig.h"
#include "SeriesFrameSource.h"
#include "TrackEnablingRules.h"
#include "TrackParamForm.h"
#include "TrackResultFile.h"
#include "TrackWindowLogic.h"
#include "TrackingEngine.h"

#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

using kova::MessageAnswer;
using kova::test::Texts;

struct FakeControls : TrackControls {
    void ReadFields(TrackFields* f) override { *f = fields; }
    void WriteFields(const TrackFields& f) override { fields = f; }
    void WriteTexts(const TrackTexts& t) override { texts = t; }
    void Enable(const TrackEnabling& e) override { enabling = e; }
    void ShowStatus(const std::string&) override {}
    TrackFields fields;
    TrackTexts texts;
    TrackEnabling enabling;
};

// White 5x5 squares on black, one per centre; `dots` adds a white pixel at
// every third pixel instead (more blobs than targets can be kept).
std::string WriteFrame(const std::string& path, const std::vector<QPoint>& centres,
                       bool dots = false) {
    QImage image(200, 200, QImage::Format_RGB888);
    image.fill(Qt::black);
    for (const QPoint& c : centres)
        for (int y = -2; y <= 2; ++y)
            for (int x = -2; x <= 2; ++x)
                image.setPixel(c.x() + x, c.y() + y, qRgb(255, 255, 255));
    for (int y = 1; dots && y < 200; y += 3)
        for (int x = 1; x < 200; x += 3)
            image.setPixel(x, y, qRgb(255, 255, 255));
    image.save(QString::fromStdString(path), "BMP");
    return path;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Three frames of two squares moving right by 2 pixels a frame.
struct TrackRig : kova::test::ManualRig {
    explicit TrackRig(bool dots = false) : ManualRig(3) {
        for (int i = 0; i < 3; ++i)
            WriteFrame(names[static_cast<std::size_t>(i)],
                       {QPoint(40 + 2 * i, 40), QPoint(120 + 2 * i, 100)}, dots);
        display.SetSeries(names, 0);
        logic.SetControls(&controls);
        logic.SetReload([this](const std::string& path) { return document.LoadDocument(path); });
        logic.InitWindow(false);
        logic.SetResultPath(dir.File("R.TRK"));
        prompter.Clear();
    }
    CCfgFile config;
    FakeControls controls;
    TrackWindowLogic logic{display, document, source, config, prompter};
};

TEST(TrackWindow, RunQuestionsAndRefusals) {
    struct Case {
        const char* name;
        int targets;
        bool exists;
        std::vector<MessageAnswer> answers;
        Texts shown;
        bool ran;
    };
    const std::string check = TrackWindowLogic::kCheck, over = TrackWindowLogic::kOverwrite;
    const Case cases[] = {
        {"no target", 0, false, {}, {TrackWindowLogic::kNoTarget}, false},
        {"check cancelled", 1, false, {MessageAnswer::Cancel}, {check}, false},
        {"overwrite cancelled",
         1,
         true,
         {MessageAnswer::Ok, MessageAnswer::Cancel},
         {check, over},
         false},
        {"overwrite accepted",
         1,
         true,
         {MessageAnswer::Ok, MessageAnswer::Ok},
         {check, over},
         true},
    };
    for (const Case& c : cases) {
        TrackRig rig;
        const std::string path = rig.dir.File("R.TRK");
        if (c.exists) std::ofstream(path, std::ios::binary) << "old result";
        for (int i = 0; i < c.targets; ++i)
            rig.Click(40, 40);
        for (MessageAnswer a : c.answers)
            rig.prompter.QueueAnswer(a);
        EXPECT_EQ(rig.logic.Run(), c.ran) << c.name;
        EXPECT_EQ(rig.prompter.Texts(), c.shown) << c.name;
        if (c.exists && !c.ran) {
            EXPECT_EQ(Bytes(path), "old result") << c.name;
        }
        EXPECT_EQ(rig.logic.TrackingDone(), c.ran) << c.name;
    }
}

TEST(TrackWindow, ClickedTargetsAreTrackedAndReloaded) {
    TrackRig rig;
    rig.controls.fields.processType = 2;
    rig.logic.SetProcessingWindow(QRect(0, 0, 15, 15)); // a Shift-drag
    rig.Click(40, 40);
    rig.Click(120, 100);
    rig.Click(10, 10);
    rig.RightClick(); // removes the last
    EXPECT_EQ(rig.controls.texts.id, 2);
    EXPECT_EQ(rig.logic.Targets()[0].width, 15);
    // A chosen name without the suffix gets it; the companion is beside it.
    rig.prompter.QueueFiles({rig.dir.File("run1")});
    rig.logic.ChooseResultFile();
    EXPECT_EQ(rig.logic.ResultPath(), rig.dir.File("run1.TRK"));
    rig.prompter.QueueAnswer(MessageAnswer::Ok);
    ASSERT_TRUE(rig.logic.Run());
    EXPECT_EQ(rig.logic.LastRunResult(), 0);
    const CTrackFile2D& track = rig.document.Track();
    ASSERT_EQ(track.GetTargetCount(), 2);
    ASSERT_EQ(track.GetFrameCount(), 3);
    EXPECT_EQ(kova::test::At(track, 0, 2), (XY_TRACK{0, 44.0f, 40.0f}));
    EXPECT_EQ(kova::test::At(track, 1, 2), (XY_TRACK{0, 124.0f, 100.0f}));
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("run1.TRI")));
}

TEST(TrackWindow, ClicksStopAt4096Targets) {
    TrackRig rig;
    for (int i = 0; i <= TrackingEngine::kMaxTargets; ++i)
        rig.Click(50, 50);
    EXPECT_EQ(rig.logic.TargetCount(), TrackingEngine::kMaxTargets);
}

TEST(TrackWindow, PickupKeepsAtMost4096AndCancelSetsNone) {
    struct Case {
        bool dots;
        MessageAnswer answer;
        const char* question;
        int kept;
    };
    const Case cases[] = {
        {false, MessageAnswer::Ok, "2 个点被提取,正确吗?", 2},
        {false, MessageAnswer::Cancel, "2 个点被提取,正确吗?", 0},
        {true, MessageAnswer::Ok, "4096 个点被提取,正确吗?", 4096},
    };
    for (const Case& c : cases) {
        TrackRig rig(c.dots);
        rig.logic.SetTargetSetting(1);
        rig.prompter.QueueAnswer(c.answer);
        rig.logic.Pickup();
        EXPECT_EQ(rig.prompter.Texts(), Texts{c.question});
        EXPECT_EQ(rig.logic.TargetCount(), c.kept);
        EXPECT_TRUE(rig.logic.Marks().empty());
        if (c.kept > 0) { // found targets take the current window
            EXPECT_EQ(rig.logic.Targets()[0].width, TrackWindowLogic::kDefaultWindow);
        }
    }
}

// Semi-automatic with no blob in the window: the engine waits for a click on
// the worker thread; 停止 asks it to stop, and the controls come back only
// when the run has ended. The old result is kept (nothing tracked).
TEST(TrackWindow, StopWhileWaitingForAClick) {
    TrackRig rig;
    rig.controls.fields.processType = 1;
    rig.Click(190, 190); // nothing there
    std::thread worker;
    std::function<void()> done;
    rig.logic.SetRunner([&](std::function<void()> work, std::function<void()> finish) {
        worker = std::thread(work);
        done = finish;
    });
    std::vector<ManualPointSource::Request> asked;
    std::mutex askedMutex;
    rig.logic.SetLiveHandlers({}, [&](ManualPointSource::Request r) {
        std::lock_guard<std::mutex> lock(askedMutex);
        asked.push_back(r);
    });
    rig.prompter.QueueAnswer(MessageAnswer::Ok);
    ASSERT_TRUE(rig.logic.Run());
    for (;;) {
        std::lock_guard<std::mutex> lock(askedMutex);
        if (!asked.empty()) break;
    }
    EXPECT_TRUE(rig.logic.Enabling().stop);
    rig.logic.Stop();
    worker.join();
    EXPECT_FALSE(rig.logic.Enabling().idle) << "back only when the run has ended";
    EXPECT_FALSE(rig.logic.CanClose()) << "关闭 is ignored during a run";
    done();
    EXPECT_TRUE(rig.logic.Enabling().idle);
    EXPECT_EQ(asked[0].id, 1);
    EXPECT_NE(rig.logic.LastRunResult(), 0);
    EXPECT_FALSE(rig.logic.TrackingDone());
}

TEST(TrackWindow, EnablingRules) {
    struct Case {
        int imageType, setting;
        TrackParams::PickupMode method;
        bool grey, colour, percent, automatic, pickup, free;
    };
    using M = TrackParams::PickupMode;
    const Case cases[] = {
        {0, 0, M::Band, true, false, false, true, false, true},
        {0, 1, M::Band, true, false, false, true, true, false},
        {0, 0, M::Percentage, false, false, true, true, false, true},
        {0, 0, M::ModeMethod, false, false, false, true, false, true},
        {1, 0, M::Band, false, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        TrackFields f;
        f.imageType = c.imageType;
        f.targetSetting = c.setting;
        const TrackEnabling e = ComputeTrackEnabling(f, c.method, false);
        EXPECT_EQ((std::vector<bool>{e.grey, e.colour, e.percent, e.automaticSetting, e.pickup,
                                     e.freePolicies}),
                  (std::vector<bool>{c.grey, c.colour, c.percent, c.automatic, c.pickup, c.free}));
    }
    const TrackEnabling running = ComputeTrackEnabling({}, M::Band, true);
    EXPECT_TRUE(running.stop && !running.idle && !running.pickup);
}

TEST(TrackWindow, ColourTurnsAutomaticSettingIntoManual) {
    TrackRig rig;
    rig.logic.SetTargetSetting(1);
    rig.logic.SetImageType(1);
    EXPECT_EQ(rig.controls.fields.targetSetting, 0);
    EXPECT_EQ(rig.controls.fields.thresholds, 1);
    EXPECT_FALSE(rig.controls.enabling.pickup);
}

TEST(TrackParamForm, DefaultsColourAutomaticAndRange) {
    TrackParams params;
    params.noiseRemover = TrackParams::NoiseRemover::Both;
    TrackParamForm form = TrackParamForm::From(params);
    EXPECT_TRUE(form.Enable(params).area0 && form.Enable(params).area1);
    form.Reset();
    EXPECT_FALSE(form.Enable(params).area0 || form.Enable(params).area1);

    params.dispType = TrackParams::DispType::Colour;
    params.filter = TrackParams::Filter::Emphasis;
    params.processType = TrackParams::ProcessType::Automatic;
    form = TrackParamForm::From(params);
    EXPECT_EQ(form.filter, 0);
    EXPECT_TRUE(form.maxArea);
    EXPECT_FALSE(form.Enable(params).filters || form.Enable(params).maxArea);

    form.area0 = 0;
    EXPECT_FALSE(form.Check().empty());
    form.area0 = 999999;
    EXPECT_TRUE(form.Check().empty());
}

// With its window gone the engine has nobody to ask: the point is marked as
// not given (status 4) at the prediction.
TEST(TrackingEngine, NoClickSourceMarksStatusFour) {
    TrackRig rig;
    rig.controls.fields.processType = 1;
    rig.Click(190, 190);
    rig.logic.Destroyed(); // releases the mouse; the run below has no clicks
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    TrackingEngine engine(store, proc);
    engine.Target(0) = rig.logic.Targets()[0];
    engine.SetTargetCount(1);
    engine.Params().processType = TrackParams::ProcessType::SemiAutomatic;
    SeriesFrameSource source(store);
    std::string error;
    ASSERT_TRUE(source.SetFiles(rig.names.front(), rig.names.back(), &error));
    TrackResultFile file;
    ASSERT_TRUE(file.Create(rig.dir.File("E.TRK")));
    ASSERT_EQ(engine.TrackSequence(file, source), 0);
    EXPECT_EQ(engine.StatusTotals()[4], 3u);
    EXPECT_EQ(engine.StatusTotals()[0], 0u);
}

} // namespace
