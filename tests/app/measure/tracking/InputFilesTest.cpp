#include "CCfgFile.h"
#include "ScriptedClicks.h"
#include "TargetsFile.h"
#include "TrackParams.h"

#include <gtest/gtest.h>

TEST(TargetsFile, ReadsPositionsSizesAndOwnThresholds) {
    std::vector<TargetsFile::Entry> entries;
    std::string error;
    ASSERT_TRUE(TargetsFile::Parse("# markers\n\n10 20\n  30.5 40 15 17\n1 2 31 31 180 255\n"
                                   "3 4 9 9 10 20 55.5\n5 6 9 9 1 2 3 4 5 6\r\n",
                                   &entries, &error))
        << error;
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_FLOAT_EQ(entries[1].x, 30.5f);
    EXPECT_EQ(entries[1].height, 17);
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_FALSE(entries[0].hasGrey);
    EXPECT_EQ(entries[2].grey[0] * entries[2].hasGrey, 180);
    EXPECT_FLOAT_EQ(entries[3].percent * entries[3].hasPercent, 55.5f);
    EXPECT_EQ(entries[4].colour[5] * entries[4].hasColour, 6);
}

TEST(TargetsFile, RefusesMalformedLinesNamingThem) {
    const std::pair<const char*, const char*> bad[] = {
        {"10\n", "line 1: expected x y"},
        {"1 2\n3 4 5\n", "line 2: expected x y"},
        {"1 2 0 5\n", "line 1: window size"},
        {"1 2 5.5 5\n", "line 1: window size"},
        {"-1 2\n", "line 1: position"},
        {"1 2 9 9 0 256\n", "line 1: thresholds"},
        {"1 2 9 9 0 25 101\n", "line 1: percentage"},
        {"1 two\n", "line 1: not a number"},
        {"1 nan\n", "line 1: not a number"},
        {"1 2 # note\n", "line 1: not a number"},
    };
    for (const auto& [text, message] : bad) {
        std::vector<TargetsFile::Entry> entries;
        std::string error;
        EXPECT_FALSE(TargetsFile::Parse(text, &entries, &error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << text << " gave " << error;
    }
}

TEST(ScriptedClicks, AnswersInOrderAndStopsWhenOutOrOutside) {
    ScriptedClicks clicks;
    std::string error;
    ASSERT_TRUE(clicks.Parse("12 34\n# comment\nskip\n500 10\n", &error)) << error;
    ManualPointSource::Request request;
    request.frame = 3;
    request.id = 2;
    request.width = 320;
    request.height = 240;
    int x = 0, y = 0;
    std::vector<int> answers;
    for (int i = 0; i < 3; ++i)
        answers.push_back(clicks.WaitManualPoint(request, x, y));
    EXPECT_EQ(answers, (std::vector<int>{ManualPointSource::kClicked, ManualPointSource::kSkipped,
                                         ManualPointSource::kStopped}));
    EXPECT_EQ(std::pair(x, y), std::pair(12, 34));
    EXPECT_EQ(clicks.Problem(), "click outside the frame for frame 3, ID 2");
    EXPECT_EQ(clicks.WaitManualPoint(request, x, y), ManualPointSource::kStopped);
    EXPECT_EQ(clicks.Problem(), "no click left for frame 3, ID 2");
    EXPECT_FALSE(clicks.Parse("1 2 3\n", &error));
    EXPECT_EQ(error, "line 1: expected \"x y\", \"skip\" or \"stop\"");
}

TEST(TrackParams, LoadsKeysFallsBackForBadBandsAndChecksRanges) {
    CCfgFile cfg;
    cfg.SetValue("ParamProcessType", 2);
    cfg.SetValue("ParamDispType", 2);
    cfg.SetArray("ParamPickupMonoValue", std::vector<int>{100, 180, 200}); // wrong length
    cfg.SetArray("ParamPickupColorValue", std::vector<int>{1, 2, 3, 4, 5, 6});
    TrackParams params;
    params.monoValue[0] = 7;
    params.noiseArea0 = 44;
    params.Load(cfg);
    EXPECT_TRUE(params.IsColour());
    EXPECT_EQ(params.monoValue[0], 200);
    EXPECT_EQ(params.colorValue[5], 6);
    EXPECT_EQ(params.noiseArea0, 44); // a missing scalar key leaves the value
    EXPECT_EQ(params.Check(), "");
    params.noiseArea1 = 0;
    EXPECT_EQ(params.Check(), "ParamNoiseArea1 must be 1..999999");
    params.noiseArea1 = 5;
    params.targetValue = 128;
    EXPECT_EQ(params.Check(), "ParamTargetValue must be 0 or 255");
}
