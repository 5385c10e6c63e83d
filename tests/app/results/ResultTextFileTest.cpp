#include "ResultTextFile.h"

#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using kova::test::ReadBytes;
using kova::test::TempDir;

TEST(ResultTextFile, SavesTheLinesAsGb18030WithCrLfAFailedSaveLeavesNoFile) {
    TempDir dir;
    ResultTextFile file;
    for (const char* line : {"位置 / 速度\n", "--\n", "\n", "+   3, 头\n"})
        file.AddString(line);
    EXPECT_EQ(file.Save(dir.File("missing/temp.tr1")), 0);
    EXPECT_TRUE(dir.Entries().empty());
    ASSERT_EQ(file.Save(dir.File("temp.tr1")), 1);
    const std::string expected = "\xCE\xBB\xD6\xC3 / \xCB\xD9\xB6\xC8\r\n"
                                 "--\r\n"
                                 "\r\n"
                                 "+   3, \xCD\xB7\r\n";
    EXPECT_EQ(ReadBytes(dir.File("temp.tr1")), expected);
    EXPECT_EQ(file.Text(), "位置 / 速度\n--\n\n+   3, 头\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"temp.tr1"}); // no temporary left
}

TEST(ResultTextFile, SaveDialogOffersTheTableFiltersAndReplacesTheOldFile) {
    TempDir dir;
    ResultTextFile file("2D跟踪文件");
    file.SetLines({"新\n"});
    kova::test::WriteBytes(dir.File("old.tr1"), "old contents");
    kova::RecordingPrompter prompter;
    prompter.QueueFiles({dir.File("old.tr1")});
    ASSERT_EQ(file.Save(prompter), 1);
    ASSERT_EQ(prompter.FileRequests().size(), 1u);
    const kova::FileDialogRequest& request = prompter.FileRequests()[0];
    EXPECT_EQ(request.kind, kova::FileDialogKind::Save);
    EXPECT_EQ(request.filter,
              "2D跟踪文件(*.tr1)|*.tr1|Text File(*.txt)|*.txt|All Files(*.*)|*.*||");
    EXPECT_EQ(request.defaultName, "temp.tr1");
    EXPECT_EQ(ReadBytes(dir.File("old.tr1")), "\xD0\xC2\r\n");
}
