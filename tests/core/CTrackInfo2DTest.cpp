#include "CTrackInfo2D.h"

#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using kova::test::ReadBytes;
using kova::test::TempDir;
using kova::test::WriteBytes;

TEST(CTrackInfo2D, LoadFillsDefaultsAndAutoSaves) {
    TempDir dir;
    const std::string path = dir.File("run.tri");
    WriteBytes(path, "ImagePath /data\nAviFile\n");
    {
        CTrackInfo2D info;
        info.Load(path);
        EXPECT_EQ(info.IsModified(), 1) << "absent keys were added";
        std::string s;
        EXPECT_EQ(info.GetValue("AviFile", &s), 0) << "empty defaults read as absent";
    }
    EXPECT_EQ(ReadBytes(path), "ImagePath /data\r\nAviFile\r\nImageNameHead\r\nImageFileExt\r\n"
                               "ImageStartNum 0\r\nImageEndNum 0\r\nImageScenes 0\r\n"
                               "ImageStartFile\r\nImageEndFile\r\nSceneCenter 0\r\n"
                               "AviStartFrm 0\r\nAviEndFrm 0\r\n");

    // A missing file: only the defaults, modified, written when destroyed.
    const std::string fresh = dir.File("new.tri");
    {
        CTrackInfo2D info;
        info.Load(fresh);
        EXPECT_EQ(info.Records().size(), 12u);
    }
    EXPECT_TRUE(kova::test::Exists(fresh));
}

TEST(CTrackInfo2D, ColourRepairs) {
    CTrackInfo2D info;
    std::vector<int> pairs;
    EXPECT_EQ(info.GetTargetColor(&pairs, 3), 1);
    EXPECT_EQ(pairs, (std::vector<int>{0, 0, 1, 0, 2, 0}));
    std::vector<int> stored;
    info.GetArray("ColorTarget", &stored);
    EXPECT_EQ(stored, pairs) << "the repaired list is stored";

    info.SetArray("ColorTarget", std::vector<int>{4, 1, 5, 2});
    EXPECT_EQ(info.GetTargetColor(&pairs, 4), 1);
    EXPECT_EQ(pairs, (std::vector<int>{4, 1, 5, 2, 0, 0, 1, 0})) << "5 wraps to 0";

    std::vector<int> mine{6, 3};
    EXPECT_EQ(info.SetTargetColor(&mine, 2), 1);
    EXPECT_EQ(mine, (std::vector<int>{6, 3, 0, 0}));
    EXPECT_EQ(info.SetTargetColor(&mine, 0), 1);
    EXPECT_EQ(info.Count("ColorTarget"), 0);
}

TEST(CTrackInfo2D, NamesAndSticks) {
    CTrackInfo2D info;
    info.SetArray("NameTarget", std::vector<std::string>{"A"});
    std::vector<std::string> names;
    EXPECT_EQ(info.GetTargetName(&names, 3), 1);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "2", "3"}));

    std::vector<int> sticks;
    info.SetArray("TargetPairStick", std::vector<int>{0, 1, 2, 1, 2, 3, 0});
    EXPECT_EQ(info.GetTargetPairStick(&sticks, 8), 1);
    EXPECT_EQ(sticks,
              (std::vector<int>{0, 1, 0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4, 5, 4, 5, 6, 5, 6, 7, 0}))
        << "seven numbers are replaced by the default chain";
    info.SetArray("TargetPairStick", std::vector<int>{0, 1, 7});
    info.GetTargetPairStick(&sticks, 2);
    EXPECT_EQ(sticks, (std::vector<int>{0, 1, 0})) << "colour 7 is invalid";
    info.EraseValue("TargetPairStick");
    info.GetTargetPairStick(&sticks, 1);
    EXPECT_TRUE(sticks.empty());
}

TEST(CTrackInfo2D, Events) {
    CTrackInfo2D info;
    std::vector<int> frames;
    std::vector<std::string> texts;
    EXPECT_EQ(info.GetEvent(&frames, &texts), 0);
    EXPECT_EQ(info.SetEvent({12, 30}, {"  take off\tnow \n", "落地"}), 1);
    std::vector<std::string> raw;
    info.GetArray("SceneEvent", &raw);
    EXPECT_EQ(raw, (std::vector<std::string>{"12:take_off_now", "30:落地"}));
    EXPECT_EQ(info.GetEvent(&frames, &texts), 1);
    EXPECT_EQ(frames, (std::vector<int>{12, 30}));
    EXPECT_EQ(texts, (std::vector<std::string>{"take_off_now", "落地"}));

    info.SetArray("SceneEvent", std::vector<std::string>{"3:ok", ":bad"});
    EXPECT_EQ(info.GetEvent(&frames, &texts), 0);
    EXPECT_TRUE(frames.empty());
    EXPECT_EQ(info.SetEvent({}, {}), 1);
    EXPECT_EQ(info.Count("SceneEvent"), 0);
}

TEST(CTrackInfo2D, SaveFailureShowsTheMessage) {
    TempDir dir;
    kova::RecordingPrompter prompter;
    {
        CTrackInfo2D info(&prompter);
        info.SetValue("SceneCenter", 4);
        EXPECT_EQ(info.Save(dir.File("no/such/dir/x.tri")), 0);
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Messages()[0].text, "It can't save track information");
        info.SetFilePath(dir.File("ok.tri"));
    }
    EXPECT_EQ(ReadBytes(dir.File("ok.tri")), "SceneCenter 4\r\n");
}
