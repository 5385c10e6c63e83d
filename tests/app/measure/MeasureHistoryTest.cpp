#include "MeasureHistory.h"

#include "CCfgFile.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace kova::test;

namespace {

struct Watcher : CDataClient {
    void OnDataChanged() override { ++changes; }
    int changes = 0;
};

using Change = std::function<void(MeasureDocument&)>;

struct MeasureHistoryTest : ::testing::Test {
    TempDir dir;
    kova::RecordingPrompter prompter;
    Watcher watcher;
    std::unique_ptr<MeasureDocument> doc;
    MeasureHistory* history = nullptr;

    void SetUp() override {
        CTrackFile2D track;
        FillSample(&track, 3, 6);
        ASSERT_EQ(track.Save(dir.File("RUN.TRK")), 1);
        doc = std::make_unique<MeasureDocument>(prompter, dir.Path());
        ASSERT_EQ(doc->LoadDocument(dir.File("RUN.TRK")), 1);
        ASSERT_EQ(doc->SaveResultTo(dir.File("RUN.TRK")), 1); // the pair as we write it
        doc->DataServer().CatchWatch(&watcher);
        history = &doc->History();
    }
    void TearDown() override { doc->DataServer().ReleaseWatch(&watcher); }

    // The pair as a save would write it now, written from copies.
    std::string Bytes() {
        CTrackFile2D track = doc->Track();
        CCfgFile info;
        info = doc->Info();
        EXPECT_TRUE(track.Save(dir.File("copy.TRK")) && info.Save(dir.File("copy.TRI")));
        return ReadBytes(dir.File("copy.TRK")) + "|" + ReadBytes(dir.File("copy.TRI"));
    }
    std::string SavedBytes() {
        return ReadBytes(dir.File("RUN.TRK")) + "|" + ReadBytes(dir.File("RUN.TRI"));
    }
    void Step(const std::string& name, const Change& change) {
        history->Record(name);
        change(*doc);
    }
};

const XY_TRACK kMoved{0, 1.5f, 2.5f};

void MovePoint(MeasureDocument& doc) {
    doc.Track().SetPoint(1, 2, &kMoved);
}

// Every point and the header's statistics, as smoothing or interpolation.
void RewriteTable(MeasureDocument& doc) {
    for (int t = 0; t < 3; ++t)
        for (int f = 0; f < 6; ++f)
            doc.Track().SetPoint(t, f, &kMoved);
    MeasureHeader header = doc.Track().GetHeader();
    header.statusCounts[0] = 7;
    doc.Track().SetHeader(header);
}

void SetEventsAndNames(MeasureDocument& doc) {
    doc.Info().SetEvent({2, 5}, {"起跳", "落地"});
    std::vector<std::string> names = {"头", "手", "脚"};
    doc.Info().SetTargetName(&names, 3);
}

// Appended targets with their names, as the centre of gravity does.
void AppendTargets(MeasureDocument& doc) {
    doc.Track().SetPoint(doc.Track().AddTarget(), 0, &kMoved);
    std::vector<std::string> names = {"a", "b", "c", "重心"};
    doc.Info().SetTargetName(&names, 4);
}

} // namespace

TEST_F(MeasureHistoryTest, EachKindOfStepUndoesToTheSavedBytesAndRedoes) {
    const std::pair<const char*, Change> steps[] = {{"手动修正", MovePoint},
                                                    {"平滑化", RewriteTable},
                                                    {"设置事项", SetEventsAndNames},
                                                    {"人体重心", AppendTargets}};
    for (const auto& [name, change] : steps) {
        SCOPED_TRACE(name);
        ASSERT_EQ(doc->LoadDocument(dir.File("RUN.TRK")), 1);
        const int infoModified = doc->Info().IsModified(); // keys filled in on loading
        Step(name, change);
        const std::string after = Bytes();
        ASSERT_NE(after, SavedBytes());
        EXPECT_EQ(history->UndoName(), std::string("撤销 ") + name);
        const int changes = watcher.changes;
        ASSERT_TRUE(history->Undo());
        EXPECT_EQ(Bytes(), SavedBytes());
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(doc->Info().IsModified(), infoModified);
        EXPECT_EQ(history->RedoName(), std::string("重做 ") + name);
        ASSERT_TRUE(history->Redo());
        EXPECT_EQ(Bytes(), after);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(watcher.changes, changes + 2);
    }
}

TEST_F(MeasureHistoryTest, ModifiedFollowsTheSavedStateAndDiscardKeepsRedo) {
    Step("手动修正", MovePoint);
    Step("平滑化", RewriteTable);
    ASSERT_EQ(doc->SaveResultTo(dir.File("RUN.TRK")), 1);
    const std::string saved = SavedBytes();
    EXPECT_TRUE(history->Undo() && history->Undo() && doc->IsModified());
    EXPECT_FALSE(history->Undo());
    EXPECT_EQ(history->UndoName(), "撤销");
    history->Record("内插补间"); // then refused by its dialog
    history->Discard();
    EXPECT_FALSE(history->CanUndo());
    EXPECT_TRUE(history->Redo() && history->Redo());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Bytes(), saved);
    EXPECT_EQ(history->RedoName(), "重做");
    history->Undo();
    Step("设置事项", SetEventsAndNames); // drops what could be redone
    EXPECT_FALSE(history->CanRedo());
}

TEST_F(MeasureHistoryTest, BoundedByStepsAndBytes) {
    history->SetLimits(MeasureHistory::kDefaultMaxBytes, 2);
    Step("a", MovePoint);
    const std::string afterFirst = Bytes();
    Step("b", RewriteTable);
    Step("c", SetEventsAndNames);
    EXPECT_TRUE(history->Undo() && history->Undo());
    EXPECT_FALSE(history->Undo()); // "a" was dropped
    EXPECT_EQ(Bytes(), afterFirst);
    // A state over the budget is never copied, and no step before it stays.
    history->SetLimits(100, 2);
    EXPECT_FALSE(history->CanRedo());
    Step("d", AppendTargets);
    EXPECT_FALSE(history->CanUndo());
}

TEST_F(MeasureHistoryTest, RefusedWhileAnEditorHoldsTheDataAndClearedByLoading) {
    CDataClient editor;
    ASSERT_EQ(doc->DataServer().LockData(&editor), 1);
    Step("手动修正", MovePoint); // the editor records its own step
    EXPECT_FALSE(history->Undo());
    doc->DataServer().UnLockData(&editor, 1);
    EXPECT_TRUE(history->Undo());
    EXPECT_EQ(Bytes(), SavedBytes());
    history->Redo();
    ASSERT_EQ(doc->LoadDocument(dir.File("RUN.TRK")), 1); // as after tracking
    EXPECT_FALSE(history->CanUndo() || history->CanRedo() || doc->IsModified());
}
