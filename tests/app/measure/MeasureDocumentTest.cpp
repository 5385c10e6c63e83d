#include "MeasureDocument.h"

#include "CCfgFile.h"
#include "MeasureFixtures.h"
#include "MeasurePaths.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;
using namespace kova::test;

namespace {

class Watcher : public CDataClient {
public:
    void OnDataChanged() override { ++changes; }
    int changes = 0;
};

// A measurement pair on disk: `name` (.TRK) and its .TRI with one key.
void WritePair(const std::string& trackPath, const std::string& infoPath, int targets,
               const std::string& imageHead) {
    CTrackFile2D track;
    FillSample(&track, targets, 4);
    ASSERT_EQ(track.Save(trackPath), 1);
    CCfgFile info;
    info.SetValue("ImageNameHead", imageHead);
    ASSERT_EQ(info.Save(infoPath), 1);
}

struct Fixture : ::testing::Test {
    TempDir dir;
    kova::RecordingPrompter prompter;
    Watcher watcher;
    int rebuilds = 0;
    std::unique_ptr<MeasureDocument> doc;

    void SetUp() override {
        doc = std::make_unique<MeasureDocument>(prompter, dir.Path());
        doc->SetImageSourceRebuild([this] { ++rebuilds; });
        doc->DataServer().CatchWatch(&watcher);
    }
    void TearDown() override {
        doc->DataServer().ReleaseWatch(&watcher);
        doc.reset();
    }
    std::string InfoHead() {
        std::string head;
        doc->Info().GetValue("ImageNameHead", &head);
        return head;
    }
};

using MeasureDocumentTest = Fixture;

} // namespace

TEST(MeasurePaths, InfoNameFollowsTheCaseOfTheTrackSuffix) {
    EXPECT_EQ(MeasurePaths::InfoNameFor("/d/run.trk"), "/d/run.tri");
    EXPECT_EQ(MeasurePaths::InfoNameFor("/d/RUN.TRK"), "/d/RUN.TRI");
    EXPECT_EQ(MeasurePaths::InfoNameFor("/d/a.b/run"), "/d/a.b/run.TRI");
    EXPECT_EQ(MeasurePaths::WithSeparator(""), "");
    EXPECT_EQ(MeasurePaths::WithSeparator("/d"), "/d/");
    EXPECT_EQ(MeasurePaths::WithSeparator("C:"), "C:");
}

TEST_F(MeasureDocumentTest, LoadFindsTheInfoFileWithoutRegardToCase) {
    WritePair(dir.File("run.trk"), dir.File("RUN.Tri"), 2, "walk");
    ASSERT_EQ(doc->LoadDocument(dir.File("run.trk")), 1);
    EXPECT_EQ(InfoHead(), "walk");
    EXPECT_EQ(doc->Info().GetFilePath(), dir.File("RUN.Tri"));
}

TEST_F(MeasureDocumentTest, LoadWithoutInfoFileStillSucceeds) {
    CTrackFile2D track;
    FillSample(&track, 1, 2);
    track.Save(dir.File("solo.TRK"));
    EXPECT_EQ(doc->LoadMeasurement(dir.File("solo.TRK"), &doc->Track(), &doc->Info()), 1);
    EXPECT_EQ(doc->LoadMeasurement(dir.File("none.TRK"), &doc->Track(), &doc->Info()), 0);
    EXPECT_EQ(doc->Info().GetFilePath(), dir.File("solo.TRI")); // info untouched
}

TEST_F(MeasureDocumentTest, ReloadingTheSamePairDropsUnsavedInfoInsteadOfWritingIt) {
    WritePair(dir.File("a.TRK"), dir.File("a.TRI"), 1, "first");
    ASSERT_EQ(doc->LoadDocument(dir.File("a.TRK")), 1);
    doc->Info().SetValue("ImageNameHead", std::string("changed"));
    ASSERT_EQ(doc->LoadDocument(dir.File("a.TRK")), 1);
    EXPECT_EQ(InfoHead(), "first");
    EXPECT_EQ(kova::test::ReadBytes(dir.File("a.TRI")).find("changed"), std::string::npos);
}

TEST_F(MeasureDocumentTest, SaveResultWithoutDataSaysNoData) {
    EXPECT_EQ(doc->SaveResult(""), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"No data.", "Confirm", MessageIcon::Exclamation}}));
    EXPECT_TRUE(prompter.FileRequests().empty());
    EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(MeasureDocumentTest, SaveResultWritesThePairWithTheSuffixCase) {
    FillSample(&doc->Track(), 2, 3);
    prompter.QueueFiles({dir.File("out.trk")});
    EXPECT_EQ(doc->SaveResult(""), 1);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"out.tri", "out.trk"}));
    EXPECT_EQ(doc->IsModified(), 0);
}

TEST_F(MeasureDocumentTest, SaveFailuresShowTheirMessages) {
    FillSample(&doc->Track(), 1, 3);
    prompter.QueueFiles({dir.File("missing/out.TRK")});
    EXPECT_EQ(doc->SaveResult(""), -1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"File save error.", "Error", MessageIcon::Exclamation},
                                    {"文件保存失败。", "错误", MessageIcon::Exclamation}}));
    EXPECT_EQ(doc->IsModified(), 1);

    // The .TRK saves but its .TRI cannot be written (a directory stands there).
    prompter.Clear();
    std::filesystem::create_directory(dir.File("blocked.TRI"));
    EXPECT_EQ(doc->SaveResultTo(dir.File("blocked.TRK")), 1);
    EXPECT_EQ(prompter.Messages(), (std::vector<Message>{{"It can't save track information", "KOVA",
                                                          MessageIcon::Exclamation}}));
    EXPECT_TRUE(Exists(dir.File("blocked.TRK")));
}

TEST_F(MeasureDocumentTest, OpenResultCancelledAtTheQuestionChangesNothing) {
    FillSample(&doc->Track(), 2, 3);
    XY_TRACK p{0, 1.0f, 1.0f};
    doc->Track().SetPoint(0, 0, &p);
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(doc->OpenResult(""), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"Save and renew the processing data.\nCan do it?", "Confirm",
                                     MessageIcon::Question, MessageButtons::OkCancel}}));
    EXPECT_EQ(At(doc->Track(), 0, 0).x, 1.0f);

    // Confirmed, then the dialog is cancelled: the lock is released silently.
    prompter.Clear();
    prompter.QueueAnswer(MessageAnswer::Ok);
    prompter.QueueFileCancel();
    EXPECT_EQ(doc->OpenResult(dir.File("some/where.TRK")), 0);
    EXPECT_EQ(doc->DataServer().LockHolder(), nullptr);
    EXPECT_EQ(watcher.changes, 0);
    EXPECT_EQ(doc->Track().GetTargetCount(), 2);
}

TEST_F(MeasureDocumentTest, OpenResultLoadsOrReportsAFailure) {
    WritePair(dir.File("b.TRK"), dir.File("b.TRI"), 3, "bee");
    prompter.QueueFiles({dir.File("b.TRK")});
    EXPECT_EQ(doc->OpenResult(""), 1); // not modified: no question
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(InfoHead(), "bee");
    EXPECT_EQ(rebuilds, 1);

    WriteBytes(dir.File("broken.TRK"), HeaderBytes(0, 2));
    prompter.QueueFiles({dir.File("broken.TRK")});
    EXPECT_EQ(doc->OpenResult(""), -1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"文件打开失败。", "错误", MessageIcon::Exclamation}}));
    EXPECT_EQ(doc->Track().GetFrameCount(), 0); // an empty document
    EXPECT_EQ(watcher.changes, 2);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(doc->DataServer().LockHolder(), nullptr);
}

// A changed measurement, then an open or a reload that fails: the empty
// document left has nothing to save, so the next open asks nothing.
TEST_F(MeasureDocumentTest, FailedLoadLeavesNothingModified) {
    WriteBytes(dir.File("broken.TRK"), HeaderBytes(3, 2)); // no points follow
    for (auto [name, reload] :
         {std::pair{"none.TRK", false}, {"broken.TRK", false}, {"broken.TRK", true}}) {
        FillSample(&doc->Track(), 2, 3);
        prompter.Clear();
        prompter.QueueFiles({dir.File(name)});
        EXPECT_EQ(reload ? doc->LoadDocument(dir.File(name)) : doc->OpenResult(""),
                  reload ? 0 : -1);
        EXPECT_EQ(doc->IsModified(), 0) << name << reload;
        prompter.Clear();
        prompter.QueueFileCancel();
        EXPECT_EQ(doc->OpenResult(""), 0);
        EXPECT_TRUE(prompter.Messages().empty()) << name << reload;
    }
}
