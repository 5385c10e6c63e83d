// Saving a result text: the dialog offered, text or CSV by the chosen name,
// and a failed save that shows the error and keeps what was there.
#include "ResultTextExport.h"

#include "CsvFile.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kLines = {"位置 / 速度\n", "    1,    1,       头\n"};
const kova::CsvTable kCsv = {{"frame", "name"}, {{"1", "头, \"a\""}}};

struct ResultTextExportTest : ::testing::Test {
    ResultTextExportTest() {
        text.SetFilterName("2D跟踪文件");
        for (const std::string& line : kLines)
            text.AddLine(line);
        text.SetCsv(kCsv);
    }
    // Saves under `name` in the temporary folder; gives the path.
    std::string SaveAs(const std::string& name) {
        prompter.QueueFiles({dir.File(name)});
        text.Save(prompter);
        return dir.File(name);
    }

    kova::RecordingPrompter prompter;
    kova::ResultTextExport text;
    kova::test::TempDir dir;
};

TEST_F(ResultTextExportTest, SavesTextOrCsvByTheNameAndOffersCsvOnlyWithATable) {
    ResultTextFile reference;
    reference.SetLines(kLines);
    ASSERT_TRUE(reference.Save(dir.File("reference.tr1")));
    const std::string textBytes = kova::test::ReadBytes(dir.File("reference.tr1"));
    for (const auto& [name, bytes] : {std::pair{"a.tr1", textBytes},
                                      {"b.txt", textBytes},
                                      {"c.CSV", kova::CsvFile::Text(kCsv)}})
        EXPECT_EQ(kova::test::ReadBytes(SaveAs(name)), bytes) << name;
    const kova::FileDialogRequest& request = prompter.FileRequests().front();
    EXPECT_EQ(std::tie(request.kind, request.filter, request.defaultExtension, request.defaultName,
                       request.overwritePrompt),
              std::make_tuple(kova::FileDialogKind::Save,
                              std::string("2D跟踪文件(*.tr1)|*.tr1|Text File(*.txt)|*.txt|CSV "
                                          "File(*.csv)|*.csv|All Files(*.*)|*.*||"),
                              std::string("tr1"), std::string("temp.tr1"), true));
    text.Clear(); // forgets the CSV table too: a .csv name is text then
    text.AddLine(kLines[0]);
    SaveAs("d.csv");
    EXPECT_EQ(prompter.FileRequests().back().filter,
              "2D跟踪文件(*.tr1)|*.tr1|Text File(*.txt)|*.txt|All Files(*.*)|*.*||");
    EXPECT_EQ(kova::test::ReadBytes(dir.File("d.csv")), textBytes.substr(0, 13));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(ResultTextExportTest, AFailedSaveShowsTheErrorAndKeepsWhatWasThere) {
    for (const char* name : {"folder.tr1", "folder.csv"}) {
        std::filesystem::create_directory(dir.File(name));
        kova::test::WriteBytes(dir.File(name) + "/inside", "old");
        prompter.Clear();
        SaveAs(name);
        EXPECT_EQ(prompter.Texts(),
                  (std::vector<std::string>{"File save error.", "文件保存失败。"}));
        EXPECT_EQ(kova::test::ReadBytes(dir.File(name) + "/inside"), "old");
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder.csv", "folder.tr1"}));
    prompter.QueueFileCancel(); // cancelled: nothing shown
    EXPECT_FALSE(text.Save(prompter));
    EXPECT_EQ(prompter.Messages().size(), 2u);
}

} // namespace
