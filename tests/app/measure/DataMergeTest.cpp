#include "DataMerge.h"

#include "CCfgFile.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;
using namespace kova::test;

namespace {

Message Error(const std::string& text) {
    return {text, "错误", MessageIcon::Exclamation};
}

struct DataMergeTest : ::testing::Test {
    TempDir dir;
    kova::RecordingPrompter prompter;
    DataMerge merge{dir.Path()};

    void SetUp() override { merge.head = "RUN"; }

    // Input `number`: `targets` x `frames` points whose x encodes (number,
    // target, frame), a .TRI with the image numbers `first`..`last`.
    void WriteInput(int number, int targets, int frames, int first, int last,
                    MeasureHeader header = SampleHeader()) {
        CTrackFile2D track;
        track.Create(targets, frames);
        track.SetHeader(header);
        for (int t = 0; t < targets; ++t)
            for (int f = 0; f < frames; ++f) {
                XY_TRACK p{static_cast<std::int16_t>(t), 100.0f * number + 10.0f * t + f,
                           static_cast<float>(f)};
                track.SetPoint(t, f, &p);
            }
        char name[32];
        std::snprintf(name, sizeof name, "RUN%04d", number);
        ASSERT_EQ(track.Save(dir.File(std::string(name) + ".TRK")), 1);
        CCfgFile info;
        for (const char* key : {"ImagePath", "ImageFileExt", "NameTarget"})
            info.SetValue(key, std::string("x"));
        info.SetValue("ImageNameHead", std::string(number == 2 ? "SEQ" : "seq"));
        for (auto [key, value] : {std::pair{"ImageStartNum", first},
                                  {"ImageEndNum", last},
                                  {"ImageScenes", last - first + 1}})
            info.SetValue(key, value);
        for (auto [key, value] : {std::pair{"ImageStartFile", first}, {"ImageEndFile", last}})
            info.SetValue(key, "seq" + std::to_string(value) + ".BMP");
        ASSERT_EQ(info.Save(dir.File(std::string(name) + ".TRI")), 1);
    }

    std::string InfoText(const char* key) {
        CCfgFile info;
        info.Load(dir.File("RUN.TRI"));
        std::string text;
        info.GetValue(key, &text);
        return text;
    }
    // x of the output's points, target by target.
    std::vector<std::vector<float>> OutputX() {
        CTrackFile2D out;
        EXPECT_EQ(out.Load(dir.File("RUN.TRK")), 1);
        std::vector<std::vector<float>> xs(static_cast<std::size_t>(out.GetTargetCount()));
        for (int t = 0; t < out.GetTargetCount(); ++t)
            for (int f = 0; f < out.GetFrameCount(); ++f)
                xs[static_cast<std::size_t>(t)].push_back(At(out, t, f).x);
        return xs;
    }

    bool Output() const { return Exists(dir.File("RUN.TRK")) || Exists(dir.File("RUN.TRI")); }
};

} // namespace

TEST_F(DataMergeTest, FieldChecksInOrder) {
    struct Case {
        int start, end;
        const char* head;
        const char* message;
    };
    const Case cases[] = {{0, 0, "", "起始序号异常。"},
                          {1, 0, "", "终止序号异常。"},
                          {3, 2, "", "起始序号大于终止序号。"},
                          {1, 2, "", "文件名错误。"}};
    for (const Case& c : cases) {
        prompter.Clear();
        merge.startNumber = c.start;
        merge.endNumber = c.end;
        merge.head = c.head;
        EXPECT_EQ(merge.Run(prompter), -1); // the dialog stays open
        EXPECT_EQ(prompter.Messages(), std::vector<Message>{Error(c.message)});
    }
}

TEST_F(DataMergeTest, MergeByFramesJoinsPointsAndImageKeys) {
    WriteInput(1, 2, 3, 1, 3);
    WriteInput(2, 2, 2, 4, 5);
    WriteInput(3, 2, 1, 6, 6);
    merge.endNumber = 3;
    EXPECT_EQ(merge.Run(prompter), 1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"数据连接成功。", "确认", MessageIcon::None}}));
    EXPECT_EQ(OutputX(), (std::vector<std::vector<float>>{{100, 101, 102, 200, 201, 300},
                                                          {110, 111, 112, 210, 211, 310}}));
    // The first input's keys, the image range of all.
    EXPECT_EQ((std::vector<std::string>{InfoText("ImageStartNum"), InfoText("ImageEndNum"),
                                        InfoText("ImageScenes"), InfoText("ImageEndFile")}),
              (std::vector<std::string>{"1", "6", "6", "seq6.BMP"}));
}

TEST_F(DataMergeTest, ImageGapFailsAndLeavesTheOutputAsItWas) {
    WriteInput(1, 1, 50, 1, 50);
    WriteInput(2, 1, 49, 52, 100);
    merge.endNumber = 2;
    EXPECT_EQ(merge.Run(prompter), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{Error("图像不连续。"), Error("数据连接失败。")}));
    EXPECT_FALSE(Output());
    EXPECT_EQ(dir.Entries().size(), 4u); // the inputs only
    // An existing pair survives the overwrite question and the failure.
    WriteBytes(dir.File("RUN.TRK"), "old track");
    WriteBytes(dir.File("RUN.TRI"), "old info");
    prompter.QueueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(merge.Run(prompter), 0);
    EXPECT_EQ(std::pair(ReadBytes(dir.File("RUN.TRK")), ReadBytes(dir.File("RUN.TRI"))),
              std::pair(std::string("old track"), std::string("old info")));
    EXPECT_EQ(dir.Entries().size(), 6u);
}

TEST_F(DataMergeTest, ConsecutiveVideoRangesJoinByFrames) {
    const auto video = [&](int number, const char* file, int first, int last) {
        WriteInput(number, 1, last - first + 1, 0, 0);
        CCfgFile info;
        info.SetValue("ImageFileExt", std::string("AVI"));
        info.SetValue("AviFile", std::string(file));
        info.SetValue("AviStartFrm", first);
        info.SetValue("AviEndFrm", last);
        info.SetValue("ImageScenes", last - first + 1);
        ASSERT_EQ(info.Save(dir.File("RUN000" + std::to_string(number) + ".TRI")), 1);
    };
    video(1, "walk.avi", 10, 12);
    video(2, "walk.avi", 13, 14);
    merge.endNumber = 2;
    ASSERT_EQ(merge.Run(prompter), 1);
    EXPECT_EQ((std::vector<std::string>{InfoText("AviFile"), InfoText("AviStartFrm"),
                                        InfoText("AviEndFrm"), InfoText("ImageScenes")}),
              (std::vector<std::string>{"walk.avi", "10", "14", "5"}));
    // Another video, or a range that does not continue, is a break.
    for (auto [file, first] : {std::pair{"run.avi", 13}, {"walk.avi", 14}}) {
        video(2, file, first, first + 1);
        prompter.Clear();
        prompter.QueueAnswer(MessageAnswer::Ok);
        EXPECT_EQ(merge.Run(prompter), 0);
        EXPECT_EQ(prompter.Texts()[1], "图像不连续。") << file;
        EXPECT_EQ(InfoText("AviEndFrm"), "14"); // the earlier output stays
    }
}

TEST_F(DataMergeTest, HeaderDifferencesAreNamed) {
    struct Case {
        void (*change)(MeasureHeader*);
        const char* message;
    };
    const Case cases[] = {
        {[](MeasureHeader* h) { h->interval = 9; }, "间隔错误"},
        {[](MeasureHeader* h) { h->frameRate = 9; }, "帧数异常。"},
        {[](MeasureHeader* h) { h->timeUnit = 3; }, "时间单位错误"},
        {[](MeasureHeader* h) { h->scale = 0.25f; }, "比例错误。"},
        {[](MeasureHeader* h) { h->lengthUnit = 4; }, "距离单位错误。"},
        {[](MeasureHeader* h) { h->originX = 1.0f; }, "原点X错误。"},
        {[](MeasureHeader* h) { h->originY = 1.0f; }, "原点Y错误。"},
        {[](MeasureHeader* h) { h->angle = 1.0f; }, "角度错误。"},
        {[](MeasureHeader* h) { h->directY = 1; }, "Y轴方向错误。"},
    };
    WriteInput(1, 2, 3, 1, 3);
    merge.endNumber = 2;
    for (const Case& c : cases) {
        MeasureHeader h = SampleHeader();
        c.change(&h);
        WriteInput(2, 2, 3, 4, 6, h);
        prompter.Clear();
        EXPECT_EQ(merge.Run(prompter), -1);
        EXPECT_EQ(prompter.Messages(), std::vector<Message>{Error(c.message)});
        EXPECT_FALSE(Output());
    }
    WriteInput(2, 3, 3, 4, 6); // another target count
    prompter.Clear();
    EXPECT_EQ(merge.Run(prompter), -1);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"目标数错误。"});
    merge.mode = DataMerge::kByTargets;
    WriteInput(2, 2, 4, 4, 6); // another frame count
    prompter.Clear();
    EXPECT_EQ(merge.Run(prompter), -1);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"帧数错误。"});

    WriteInput(2, 2, 3, 4, 6);
    merge.endNumber = 3; // input 3 does not exist
    prompter.Clear();
    EXPECT_EQ(merge.Run(prompter), -1);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{Error("读文件出错")});
}

TEST_F(DataMergeTest, MergeByTargetsPutsInputsSideBySide) {
    WriteInput(1, 2, 3, 1, 3);
    WriteInput(2, 1, 3, 7, 9);
    merge.endNumber = 2;
    merge.mode = DataMerge::kByTargets;
    EXPECT_EQ(merge.Run(prompter), 1);
    EXPECT_EQ(OutputX(),
              (std::vector<std::vector<float>>{{100, 101, 102}, {110, 111, 112}, {200, 201, 202}}));
    EXPECT_EQ(InfoText("ImageEndNum"), "3"); // the start input's keys only
}

TEST_F(DataMergeTest, ExistingOutputIsOverwrittenOnlyWhenConfirmed) {
    WriteInput(1, 1, 2, 1, 2);
    WriteBytes(dir.File("RUN.TRK"), "old");
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(merge.Run(prompter), -1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"输出文件已经存在。要覆盖吗？", "确认", MessageIcon::Question,
                                     MessageButtons::OkCancel}}));
    EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")), "old");
    prompter.Clear();
    prompter.QueueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(merge.Run(prompter), 1);
    EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")), ReadBytes(dir.File("RUN0001.TRK")));
}

TEST_F(DataMergeTest, TruncatedInputFailsTheCopyAndLeavesNoOutput) {
    WriteInput(1, 1, 2, 1, 2);
    WriteInput(2, 1, 2, 3, 4);
    const std::string bytes = ReadBytes(dir.File("RUN0002.TRK"));
    WriteBytes(dir.File("RUN0002.TRK"), bytes.substr(0, bytes.size() - 5));
    merge.endNumber = 2;
    EXPECT_EQ(merge.Run(prompter), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"读写 '.trk'文件时出错。", "Error", MessageIcon::Exclamation},
                                    Error("数据连接失败。")}));
    EXPECT_FALSE(Output());

    merge.mode = DataMerge::kByTargets;
    prompter.Clear();
    EXPECT_EQ(merge.Run(prompter), 0);
    EXPECT_EQ(prompter.Texts(),
              (std::vector<std::string>{"读写 '.trk'文件出错。", "数据连接失败。"}));
    EXPECT_FALSE(Output());
}

TEST_F(DataMergeTest, TotalsBeyondTheHeaderFieldAreRefusedBeforeWriting) {
    // Two inputs of 20000 frames: 40000 does not fit the 16-bit frame count.
    WriteInput(1, 1, 20000, 1, 20000);
    WriteInput(2, 1, 20000, 20001, 40000);
    merge.endNumber = 2;
    EXPECT_EQ(merge.Run(prompter), -1);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{Error("合并后的帧数或目标数超过32767。")});
    EXPECT_FALSE(Output());
}

TEST_F(DataMergeTest, ChooseInputTakesHeadAndNumbersFromTwoFiles) {
    CTrackFile2D track;
    prompter.QueueFiles({"/data/set/walk0003.TRK"});
    prompter.QueueFiles({"/data/set/walk0012.TRK"});
    EXPECT_TRUE(merge.ChooseInput(prompter, track));
    EXPECT_EQ(merge.InputTrackPath(5), "/data/set/walk0005.TRK");
    EXPECT_EQ(merge.endNumber, 12);
    EXPECT_EQ(merge.OutputInfoPath(), "/data/set/walk.TRI");

    const std::vector<std::vector<std::string>> mismatches = {
        {"/data/set/walk0003.TRK", "/data/other/walk0012.TRK"},
        {"/data/set/walk0003.TRK", "/data/set/run0012.TRK"},
        {"/data/set/walk0003.TRK", "/data/set/walk0012.trk"},
        {"/data/set/walk0012.TRK", "/data/set/walk0003.TRK"},
    };
    for (const auto& pair : mismatches) {
        prompter.Clear();
        prompter.QueueFiles({pair[0]});
        prompter.QueueFiles({pair[1]});
        EXPECT_FALSE(merge.ChooseInput(prompter, track));
        EXPECT_EQ(prompter.Messages(), std::vector<Message>{Error("文件的对应关系出错。")});
    }
}
