#include "CCfgFile.h"

#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using kova::test::ReadBytes;
using kova::test::TempDir;
using kova::test::WriteBytes;

namespace {

std::vector<std::string> Values(CCfgFile& cfg, const std::string& name) {
    std::vector<std::string> v;
    cfg.GetArray(name, &v);
    return v;
}

} // namespace

TEST(CCfgFile, ReadingRules) {
    TempDir dir;
    WriteBytes(dir.File("a.cfg"), "# a comment\r\n\r\n   \t\r\nAlpha 1 2 3\r\n"
                                  "Key 12 # remark\nTabbed\t4\t\t5\nBare\nLast 7 8");
    CCfgFile cfg;
    ASSERT_EQ(cfg.Load(dir.File("a.cfg")), 1);
    EXPECT_EQ(cfg.IsModified(), 0);
    ASSERT_EQ(cfg.Records().size(), 5u); // the last line has no line feed: still read
    EXPECT_EQ(Values(cfg, "Alpha"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Values(cfg, "Key"), (std::vector<std::string>{"12"}));
    EXPECT_EQ(Values(cfg, "Tabbed"), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(Values(cfg, "Last"), (std::vector<std::string>{"7", "8"}));
    int v = -1;
    EXPECT_EQ(cfg.GetValue("Bare", &v) + cfg.GetValue("Absent", &v), 0);
    EXPECT_EQ(v, -1);

    // A line over 1 MB or a file over 16 MB is refused with the file's message.
    WriteBytes(dir.File("long.cfg"), "A 1\nKey " + std::string(1 << 20, 'x') + "\n");
    WriteBytes(dir.File("big.cfg"), "A 1\n");
    std::filesystem::resize_file(dir.File("big.cfg"), (16 << 20) + 1); // sparse
    for (const char* name : {"long.cfg", "big.cfg"}) {
        kova::RecordingPrompter prompter;
        prompter.QueueFiles({dir.File(name)});
        EXPECT_EQ(cfg.Load(prompter), 0) << name;
        EXPECT_TRUE(cfg.Records().empty()) << name;
        EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"文件打开失败。"}) << name;
    }
}

TEST(CCfgFile, TypedAccessAndFormats) {
    CCfgFile cfg;
    EXPECT_EQ(cfg.SetValue("", 1), 0);
    EXPECT_EQ(cfg.SetValue("S", static_cast<short>(-3)) + cfg.SetValue("L", 1234567L) +
                  cfg.SetValue("F", 0.1f) + cfg.SetValue("D", 3.14159265) +
                  cfg.SetValue("T", "text") + cfg.SetValue("Big", 70000),
              6);
    EXPECT_EQ(cfg.IsModified(), 1);
    EXPECT_EQ(Values(cfg, "F"), (std::vector<std::string>{"0.100000"}));
    short s = 0, big = 0;
    long l = 0;
    double d = 0;
    float f = 0;
    std::string t;
    EXPECT_EQ(cfg.GetValue("S", &s) + cfg.GetValue("L", &l) + cfg.GetValue("D", &d) +
                  cfg.GetValue("F", &f) + cfg.GetValue("T", &t) + cfg.GetValue("Big", &big),
              6);
    // Six decimals; a short keeps the low 16 bits of the integer.
    EXPECT_EQ((std::vector<double>{double(s), double(l), d, double(f), double(big)}),
              (std::vector<double>{-3, 1234567, 3.141593, double(0.1f), 70000 - 65536}));
    EXPECT_EQ(t, "text");

    std::vector<double> reals{1.5, -2.25};
    EXPECT_EQ(cfg.SetArray("Gain", reals), 1);
    std::vector<int> ints{9};
    EXPECT_EQ(cfg.GetArray("Gain", &ints), 1);
    EXPECT_EQ(ints, (std::vector<int>{1, -2}));
}

TEST(CCfgFile, StoreByNameRules) {
    TempDir dir;
    WriteBytes(dir.File("dup.cfg"), "Dup 1\nOther x\nDup 2\n");
    CCfgFile cfg;
    ASSERT_EQ(cfg.Load(dir.File("dup.cfg")), 1);
    int v = 0;
    EXPECT_EQ(cfg.GetValue("Dup", &v), 1);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(cfg.SetValue("Dup", 5) + cfg.IsModified(), 0); // a repeated name is not set
    EXPECT_EQ(cfg.SetValue("Other", 3), 1);                  // replaced in place
    EXPECT_EQ(cfg.SetValue("New", 4), 1);                    // appended
    std::vector<std::string> order;
    for (const CCommand& r : cfg.Records())
        order.push_back(r.Name());
    EXPECT_EQ(order, (std::vector<std::string>{"Dup", "Other", "Dup", "New"}));
    EXPECT_EQ(cfg.EraseValue("Dup"), 1);
    EXPECT_EQ(cfg.Count("Dup"), 0);
    EXPECT_EQ(cfg.EraseValue("Dup"), 0);
}

TEST(CCfgFile, ValuesWithBlanksCommentMarksOrQuotesRoundTripQuoted) {
    // A blank, a comment mark or a quote alone makes a value need quotes.
    const std::vector<std::string> values{"C:\\My Data", "say \"hi\" # not a comment\\",
                                          "C:\\data",    "#FF0000",
                                          "a#b",         "#",
                                          "\"q",         "q\"",
                                          "x\\"};
    TempDir dir;
    CCfgFile cfg, back;
    for (std::size_t i = 0; i < values.size(); ++i)
        cfg.SetValue("V" + std::to_string(i), values[i]);
    cfg.SetArray("Names", std::vector<std::string>{"left knee", "", "头 部"});
    cfg.SetArray("Colours", std::vector<std::string>{"#FF0000", "#00FF00"});
    cfg.SetValue("Blank", "");
    ASSERT_EQ(cfg.Save(dir.File("q.cfg")), 1);
    EXPECT_EQ(ReadBytes(dir.File("q.cfg")), // plain values stay unquoted
              "V0 \"C:\\\\My Data\"\r\nV1 \"say \\\"hi\\\" # not a comment\\\\\"\r\n"
              "V2 C:\\data\r\nV3 \"#FF0000\"\r\nV4 \"a#b\"\r\nV5 \"#\"\r\nV6 \"\\\"q\"\r\n"
              "V7 \"q\\\"\"\r\nV8 x\\\r\nNames \"left knee\" \"\" \"\xCD\xB7 \xB2\xBF\"\r\n"
              "Colours \"#FF0000\" \"#00FF00\"\r\nBlank \r\n");
    ASSERT_EQ(back.Load(dir.File("q.cfg")), 1);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(Values(back, "V" + std::to_string(i)), std::vector<std::string>{values[i]})
            << values[i];
    for (const char* name : {"Names", "Colours"})
        EXPECT_EQ(Values(back, name), Values(cfg, name)) << name;
    std::string s;
    EXPECT_EQ(back.GetValue("Blank", &s), 0) << "a lone empty value reads back as absent";

    // An old file without quotes reads as before: the text splits; an
    // unterminated quote is an ordinary word.
    WriteBytes(dir.File("old.cfg"), "Path C:\\My Data\nName \"abc def\n");
    back.Load(dir.File("old.cfg"));
    EXPECT_EQ(Values(back, "Path"), (std::vector<std::string>{"C:\\My", "Data"}));
    EXPECT_EQ(Values(back, "Name"), (std::vector<std::string>{"\"abc", "def"}));
}

TEST(CCfgFile, DiskTextIsGb18030WithCrLf) {
    TempDir dir;
    CCfgFile cfg, back;
    cfg.SetValue("标题", "文件");
    ASSERT_EQ(cfg.Save(dir.File("zh.cfg")), 1);
    EXPECT_EQ(ReadBytes(dir.File("zh.cfg")), "\xB1\xEA\xCC\xE2 \xCE\xC4\xBC\xFE\r\n");
    ASSERT_EQ(back.Load(dir.File("zh.cfg")), 1);
    EXPECT_EQ(Values(back, "标题"), std::vector<std::string>{"文件"});
}

TEST(CCfgFile, SavesOnlyWhenModifiedOrElsewhereAndFailuresLoseNothing) {
    TempDir dir;
    WriteBytes(dir.File("a.cfg"), "A 1\n");
    CCfgFile cfg;
    ASSERT_EQ(cfg.Load(dir.File("a.cfg")), 1);
    // Same path, unchanged: nothing is rewritten (the LF-only file stays).
    EXPECT_EQ(cfg.Save(dir.File("a.cfg")), 1);
    EXPECT_EQ(ReadBytes(dir.File("a.cfg")), "A 1\n");
    // Another path always writes.
    EXPECT_EQ(cfg.Save(dir.File("b.cfg")), 1);
    EXPECT_EQ(ReadBytes(dir.File("b.cfg")), "A 1\r\n");
    EXPECT_EQ(cfg.IsModified(), 0);

    kova::RecordingPrompter prompter;
    EXPECT_EQ(cfg.Save(prompter), 1);
    EXPECT_TRUE(prompter.FileRequests().empty()) << "an unchanged file needs no dialog";

    // A failed save keeps the modified flag: the change is not lost.
    cfg.SetValue("A", 2);
    EXPECT_EQ(cfg.Save(dir.File("nodir/c.cfg")), 0);
    EXPECT_EQ(cfg.IsModified(), 1);

    // A failed load empties the object.
    EXPECT_EQ(cfg.Load(dir.File("missing.cfg")), 0);
    EXPECT_TRUE(cfg.Records().empty());
    EXPECT_EQ(cfg.GetLastPath(), dir.File("missing.cfg"));
    cfg.SetValue("X", 1);
    EXPECT_EQ(cfg.Load(prompter), 0); // cancelled
    EXPECT_TRUE(cfg.Records().empty());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST(CCfgFile, AutoSaveBeforeReloadAndOnDestruction) {
    TempDir dir;
    WriteBytes(dir.File("auto.cfg"), "A 1\n");
    {
        CCfgFile cfg;
        cfg.SetAutoSave(1);
        ASSERT_EQ(cfg.Load(dir.File("auto.cfg")), 1);
        cfg.SetValue("A", 2);
        ASSERT_EQ(cfg.Load(dir.File("auto.cfg")), 1); // saves the change first
        cfg.SetValue("B", 3);
    }
    EXPECT_EQ(ReadBytes(dir.File("auto.cfg")), "A 2\r\nB 3\r\n");
    {
        CCfgFile plain; // auto-save off: changes are dropped
        plain.Load(dir.File("auto.cfg"));
        plain.SetValue("C", 4);
    }
    EXPECT_EQ(ReadBytes(dir.File("auto.cfg")), "A 2\r\nB 3\r\n");
}
