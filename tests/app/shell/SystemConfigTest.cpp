#include "SystemConfig.h"

#include "CCfgFile.h"
#include "CKOVAApp.h"
#include "CMainFrame.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

std::string ConfigPath(const TempDir& dir) {
    return dir.File("KOVA.CFG");
}

void WriteConfig(const std::string& path, const char* version) {
    CCfgFile file;
    if (version) file.SetValue("VersionInformation", version);
    file.SetValue("Calibration2DFrames", 25);
    ASSERT_EQ(file.Save(path), 1);
}

TEST(SystemConfigTest, StartWithoutFileWritesTheDefaultsAtExit) {
    kova::test::QtTestApp();
    TempDir dir;
    RecordingPrompter prompter;
    {
        CKOVAApp app(&prompter);
        ASSERT_TRUE(app.InitInstance({}, dir.Path()));
        ASSERT_NE(app.MainFrame(), nullptr);
        EXPECT_FALSE(kova::test::Exists(ConfigPath(dir)));
        app.ExitInstance();
    }
    EXPECT_TRUE(prompter.Messages().empty());
    CCfgFile written;
    ASSERT_EQ(written.Load(ConfigPath(dir)), 1);
    std::string version;
    int frames = 0;
    std::vector<int> mono;
    EXPECT_TRUE(written.GetValue("VersionInformation", &version));
    EXPECT_TRUE(written.GetValue("Calibration2DFrames", &frames));
    EXPECT_TRUE(written.GetArray("ParamPickupMonoValue", &mono));
    EXPECT_EQ(version, "KOVA_VER1.00");
    EXPECT_EQ(frames, 30);
    EXPECT_EQ(mono, (std::vector<int>{200, 255}));
    EXPECT_EQ(written.Records().size(), 27u);
}

TEST(SystemConfigTest, WrongVersionRefusesToStart) {
    kova::test::QtTestApp();
    for (const char* version : {"KOVA_VER1.01", static_cast<const char*>(nullptr)}) {
        TempDir dir;
        WriteConfig(ConfigPath(dir), version);
        const std::string before = kova::test::ReadBytes(ConfigPath(dir));
        RecordingPrompter prompter;
        {
            CKOVAApp app(&prompter);
            EXPECT_FALSE(app.InitInstance({}, dir.Path()));
            EXPECT_EQ(app.MainFrame(), nullptr);
        }
        EXPECT_EQ(prompter.Messages(), (std::vector<kova::Message>{{"'CFG' 文件版本错误。", "错误",
                                                                    kova::MessageIcon::Exclamation,
                                                                    kova::MessageButtons::Ok}}));
        EXPECT_EQ(kova::test::ReadBytes(ConfigPath(dir)), before);
    }
}

TEST(SystemConfigTest, KeptValuesAndMissingKeysFilled) {
    TempDir dir;
    WriteConfig(ConfigPath(dir), "KOVA_VER1.00");
    RecordingPrompter prompter;
    CCfgFile config;
    ASSERT_TRUE(SystemConfig::Load(config, dir.Path(), prompter));
    int frames = 0;
    config.GetValue("Calibration2DFrames", &frames);
    EXPECT_EQ(frames, 25);
    EXPECT_EQ(config.Count("Calibration3DNoiseLimit"), 1);
    EXPECT_EQ(config.IsModified(), 1);
    // A complete file is not rewritten.
    ASSERT_EQ(config.Save(ConfigPath(dir)), 1);
    CCfgFile again;
    ASSERT_TRUE(SystemConfig::Load(again, dir.Path(), prompter));
    EXPECT_EQ(again.IsModified(), 0);
}

// A KOVA.CFG that is there but cannot be read (root reads any mode, so a
// directory and a link to itself): the program says so, runs on the
// defaults and leaves the entry as it was.
TEST(SystemConfigTest, UnreadableFileIsReportedAndNeverWritten) {
    namespace fs = std::filesystem;
    kova::test::QtTestApp();
    for (bool link : {false, true}) {
        TempDir dir;
        const std::string path = ConfigPath(dir);
        link ? fs::create_symlink("KOVA.CFG", path) : void(fs::create_directory(path));
        RecordingPrompter prompter;
        {
            CKOVAApp app(&prompter);
            ASSERT_TRUE(app.InitInstance({}, dir.Path()));
            int frames = 0;
            EXPECT_TRUE(app.Config().GetValue("Calibration2DFrames", &frames));
            EXPECT_EQ(frames, 30);
            app.Config().SetValue("Calibration2DFrames", 60);
        }
        EXPECT_EQ(prompter.Messages(), (std::vector<kova::Message>{
                                           {"无法读取 " + path + "，使用默认设定，退出时不保存。",
                                            "KOVA", kova::MessageIcon::Exclamation}}));
        EXPECT_EQ(fs::symlink_status(path).type(),
                  link ? fs::file_type::symlink : fs::file_type::directory);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"KOVA.CFG"});
    }
}

} // namespace
