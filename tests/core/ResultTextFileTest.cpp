#include "ResultTextFile.h"

#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using kova::test::ReadBytes;
using kova::test::TempDir;

TEST(ResultTextFile, SavesTheLinesAsGb18030WithCrLfOverTheChosenFileAFailedSaveLeavesNoFile) {
    TempDir dir;
    ResultTextFile file;
    for (const char* line : {"位置 / 速度\n", "--\n", "\n", "+   3, 头\n"})
        file.AddString(line);
    EXPECT_EQ(file.Save(dir.File("missing/temp.tr1")), 0);
    EXPECT_TRUE(dir.Entries().empty());
    kova::test::WriteBytes(dir.File("old.tr1"), "old contents");
    kova::RecordingPrompter prompter;
    prompter.QueueFiles({dir.File("old.tr1")});
    ASSERT_EQ(file.Save(prompter), 1);
    EXPECT_EQ(ReadBytes(dir.File("old.tr1")), "\xCE\xBB\xD6\xC3 / \xCB\xD9\xB6\xC8\r\n"
                                              "--\r\n"
                                              "\r\n"
                                              "+   3, \xCD\xB7\r\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.tr1"}); // no temporary left
}
