#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

using namespace kova::test;

// A changed measurement, then an open or a reload that fails: the empty
// document left has nothing to save, so the next open asks nothing.
TEST(ModifiedFlagTest, FailedLoadLeavesNothingModified) {
    for (auto [name, reload] :
         {std::pair{"none.TRK", false}, {"broken.TRK", false}, {"broken.TRK", true}}) {
        TempDir dir;
        WriteBytes(dir.File("broken.TRK"), HeaderBytes(3, 2)); // no points follow
        kova::RecordingPrompter prompter;
        MeasureDocument doc(prompter, dir.Path());
        FillSample(&doc.Track(), 2, 3);
        prompter.QueueFiles({dir.File(name)});
        EXPECT_EQ(reload ? doc.LoadDocument(dir.File(name)) : doc.OpenResult(""), reload ? 0 : -1);
        EXPECT_EQ(doc.IsModified(), 0) << name << reload;
        prompter.Clear();
        prompter.QueueFileCancel();
        EXPECT_EQ(doc.OpenResult(""), 0);
        EXPECT_TRUE(prompter.Messages().empty()) << name << reload;
    }
}

} // namespace
