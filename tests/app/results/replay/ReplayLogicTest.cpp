#include "BmpFixtures.h"
#include "CBmpFile.h"
#include "ReplayRig.h"
#include "ReplayValidation.h"
#include "TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;
using kova::test::ReplayRig;
using kova::test::StoppingProgress;
using kova::test::TempDir;
using Texts = std::vector<std::string>;

Message Said(const std::string& text, const std::string& caption = "确认") {
    return Message{text, caption, MessageIcon::Exclamation, MessageButtons::Ok};
}

TEST(ReplayLogic, FrameSelectionRefusesOrSelects) {
    const struct {
        int start, end, interval;
        std::vector<Message> said;
        std::vector<int> range; // the panel's afterwards
    } cases[] = {
        {1, 5, 0, {Said("Skip scene error.", "Confirm"), Said("移动幅度异常。")}, {1, 2, 3, 4, 5}},
        {0, 5, 1, {Said("帧异常。")}, {1, 2, 3, 4, 5}},
        {4, 3, 1, {Said("帧异常。")}, {1, 2, 3, 4, 5}},
        {1, 6, 1, {Said("帧异常。")}, {1, 2, 3, 4, 5}},
        {1, 5, 2, {}, {1, 3, 5}},
        {2, 5, 3, {}, {2, 5}},
    };
    for (const auto& c : cases) {
        ReplayRig rig;
        ReplayFields& f = rig.logic.Fields();
        std::tie(f.start, f.end, f.interval) = std::tie(c.start, c.end, c.interval);
        EXPECT_EQ(rig.logic.SelectFrames(), c.said.empty());
        EXPECT_EQ(rig.prompter.Messages(), c.said) << c.start << " " << c.end << " " << c.interval;
        EXPECT_EQ(rig.panel.range, c.range) << c.start << " " << c.end << " " << c.interval;
    }
}

TEST(ReplayLogic, ApplyValidatesBeforeThePanelGetsTheFrames) {
    const struct {
        const char* text;
        void (*change)(ReplayFields&);
    } cases[] = {
        {"请选择表示对像。",
         [](ReplayFields& f) {
             f.settings.image = f.settings.trajectories = f.settings.numbers = false;
         }},
        {"请选择项目。", [](ReplayFields& f) { f.targets.clear(); }},
        {"矢量倍数异常。", [](ReplayFields& f) { f.settings.vectorMultiple = 0.0; }},
        {"矢量倍数异常。", [](ReplayFields& f) { f.settings.vectorMultiple = 0.009; }},
        {"矢量倍数异常。", [](ReplayFields& f) { f.settings.vectorMultiple = 1000.5; }},
        {"矢量倍数异常。", [](ReplayFields& f) { f.settings.vectorMultiple = std::nan(""); }},
        {"没有帧。", [](ReplayFields& f) { f.frames.clear(); }},
        {nullptr,
         [](ReplayFields& f) {
             f.frames = {1, 3};
         }},
    };
    for (const auto& c : cases) {
        ReplayRig rig;
        rig.logic.Fields().frames = {1, 3};
        c.change(rig.logic.Fields());
        rig.logic.SettingsChanged();
        kova::NullProgress progress;
        EXPECT_EQ(rig.logic.Apply(progress), c.text == nullptr);
        EXPECT_EQ(rig.prompter.Texts(), c.text ? Texts{c.text} : Texts{});
        const std::vector<int> range =
            c.text ? std::vector<int>{1, 2, 3, 4, 5} : std::vector<int>{2, 4};
        EXPECT_EQ(rig.panel.range, range);
        EXPECT_EQ(rig.logic.Changed(), c.text != nullptr);
    }
}

// Memory holds the images of the sequence, not the measurement's frames.
TEST(ReplayLogic, MemoryNeedsRoomForTheImagesDiskDoesNot) {
    TempDir dir;
    std::vector<std::string> images;
    for (int i = 1; i <= 3; ++i)
        images.push_back(
            kova::test::WriteBmp(dir.File("IMG000" + std::to_string(i) + ".BMP"), 24, 12, 9 * i));
    const struct {
        ReplayWorkArea area;
        int capacity;
        Texts said;
        bool loaded;
    } cases[] = {
        {ReplayWorkArea::Memory, 2, {"帧数量设定不足。"}, false},
        {ReplayWorkArea::Disk, 2, {}, false},
        {ReplayWorkArea::Memory, 3, {}, true},
    };
    for (const auto& c : cases) {
        ReplayRig rig;
        rig.display.SetSeries(images, 2);
        rig.store.Put_nofframe(c.capacity);
        ReplaySettings s;
        s.workArea = c.area;
        EXPECT_EQ(rig.Apply(s), c.said.empty());
        EXPECT_EQ(rig.prompter.Texts(), c.said);
        EXPECT_EQ(rig.display.AllInStore(), c.loaded);
        rig.logic.ShowEntry(1);
        EXPECT_EQ(rig.store.Read_pixel(rig.store.Get_dispframe(), 0, 0), 18);
    }
    ReplayFields fields;
    fields.settings.workArea = ReplayWorkArea::Memory;
    fields.frames = fields.targets = {0};
    kova::RecordingPrompter prompter;
    EXPECT_TRUE(ReplayValidation::Check(fields, MemoryNeed{3, 100, 3, 100}, prompter));
    EXPECT_FALSE(ReplayValidation::Check(fields, MemoryNeed{3, 101, 3, 100}, prompter));
    EXPECT_EQ(prompter.Texts(), Texts{"内存不足。"});
}

TEST(ReplayLogic, ThePanelFollowsPagesChangedElsewhereOnly) {
    ReplayRig rig;
    ReplayFields& f = rig.logic.Fields();
    std::tie(f.start, f.end, f.interval) = std::make_tuple(1, 5, 2);
    rig.logic.SelectFrames();
    rig.panel.gone.clear();
    rig.display.SetPage(2); // the view moved: on to frame 3
    EXPECT_EQ(rig.panel.gone, std::vector<int>{1});
    EXPECT_EQ(rig.display.GetPage(), 3);
    rig.logic.ShowEntry(2); // the panel moved: not fed back
    rig.display.SetPage(6); // no selected frame from 6 on
    EXPECT_EQ(rig.panel.gone, std::vector<int>{1});
    EXPECT_EQ(rig.display.GetPage(), 6);
}

struct SaveCase {
    const char* name;
    std::string chosen; // in the folder
    std::vector<std::string> existing;
    std::vector<MessageAnswer> answers;
    int stopAt;
    int result;
    Texts files; // the folder afterwards
    Texts said;
};

TEST(ReplayLogic, SavesTheFramesAsANumberedSeries) {
    const SaveCase cases[] = {
        {"numbered",
         "OUT0098.BMP",
         {},
         {},
         0,
         1,
         {"OUT0098.BMP", "OUT0099.BMP", "OUT0100.BMP"},
         {"图象保存结束。"}},
        {"no number",
         "shot.bmp",
         {},
         {},
         0,
         1,
         {"shot0001.bmp", "shot0002.bmp", "shot0003.bmp"},
         {"图象保存结束。"}},
        {"replace",
         "A1.BMP",
         {"A2.BMP"},
         {MessageAnswer::Ok},
         0,
         1,
         {"A1.BMP", "A2.BMP", "A3.BMP"},
         {"文件已存在，要覆盖吗？\n/A2.BMP", "图象保存结束。"}},
        {"keep",
         "A1.BMP",
         {"A2.BMP", "A3.BMP"},
         {MessageAnswer::Cancel},
         0,
         0,
         {"A2.BMP", "A3.BMP"},
         {"文件已存在，要覆盖吗？\n/A2.BMP\n(2)"}},
        {"own images", "IMG0003.BMP", {}, {}, 0, 0, {}, {"不能覆盖运动图像文件：/IMG0003.BMP"}},
        {"cancel after two", "C01.BMP", {}, {}, 3, 0, {"C01.BMP", "C02.BMP"}, {"图象保存被中断。"}},
    };
    for (const SaveCase& c : cases) {
        TempDir dir;
        ReplayRig rig;
        if (std::string(c.name) == "own images")
            rig.display.SetSeries({dir.File("IMG0002.BMP"), dir.File("IMG0003.BMP")}, 2);
        for (const std::string& name : c.existing)
            kova::test::WriteBytes(dir.File(name), "old");
        ReplayFields& f = rig.logic.Fields();
        std::tie(f.start, f.end, f.interval) = std::make_tuple(1, 5, 2);
        rig.logic.SelectFrames();
        rig.prompter.QueueFiles({dir.File(c.chosen)});
        for (MessageAnswer answer : c.answers)
            rig.prompter.QueueAnswer(answer);
        StoppingProgress progress(c.stopAt);
        EXPECT_EQ(rig.logic.SaveSeries(progress), c.result) << c.name;
        Texts said = rig.prompter.Texts();
        for (std::string& text : said)
            while (text.find(dir.Path()) != std::string::npos)
                text.erase(text.find(dir.Path()), dir.Path().size());
        EXPECT_EQ(said, c.said) << c.name;
        Texts files = dir.Entries();
        EXPECT_EQ(files, c.files) << c.name;
        if (c.result == 1) {
            EXPECT_EQ(rig.panel.enabled, (std::vector<bool>{false, true})) << c.name;
            EXPECT_EQ(progress.texts.back(), dir.File(c.files.back()) + " 保存中。");
        }
    }
}

TEST(ReplayLogic, ASavedFrameIsTheFrameWithItsOverlays) {
    TempDir dir;
    ReplayRig rig;
    ReplaySettings s;
    s.numbers = s.marks = false;
    rig.Apply(s);
    rig.prompter.QueueFiles({dir.File("F1.BMP")});
    kova::NullProgress progress;
    ASSERT_EQ(rig.logic.SaveSeries(progress), 1);
    cv::Mat third;
    ASSERT_EQ(kova::CBmpFile::Read(dir.File("F3.BMP"), true, third), kova::CBmpFile::kOk);
    EXPECT_EQ(third.at<cv::Vec3b>(2, 10), cv::Vec3b(0, 0, 255)) << "the trajectory to frame 3";
    EXPECT_EQ(third.at<cv::Vec3b>(2, 11), cv::Vec3b(0, 0, 0));
    EXPECT_GE(rig.panel.stops, 1) << "playback stops first";
}

TEST(ReplayLogic, StopsAtAFileItCannotWrite) {
    ReplayRig rig;
    // Nobody, not even the administrator, makes files in /proc.
    rig.prompter.QueueFiles({"/proc/KOVA0001.BMP"});
    kova::NullProgress progress;
    EXPECT_EQ(rig.logic.SaveSeries(progress), -1);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Said("文件保存失败。\n/proc/KOVA0001.BMP", "错误")}));
}

TEST(ReplayLogic, AnEmptiedMeasurementClosesThePanelAndLeavesNothingToSave) {
    ReplayRig rig;
    CDataClient editor;
    rig.document.DataServer().LockData(&editor);
    rig.document.Track().Clear();
    rig.document.DataServer().UnLockData(&editor, 1);
    EXPECT_TRUE(rig.panel.closed);
    kova::NullProgress progress;
    EXPECT_EQ(rig.logic.SaveSeries(progress), 0);
    EXPECT_TRUE(rig.prompter.FileRequests().empty());
}

} // namespace
