#include "CPtFile.h"

#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using kova::test::ReadBytes;
using kova::test::TempDir;

namespace {

// A file class that writes a payload as 4-byte integers and can be told to fail.
class NumberFile : public CPtFile {
public:
    using CPtFile::Load;
    using CPtFile::Save;
    std::vector<std::int32_t> numbers;
    bool failSave = false;

    int Save(CFile* file) override {
        for (std::int32_t n : numbers)
            if (!SaveEndianBytes(file, &n, 4)) return 0;
        return failSave ? 0 : 1;
    }
    int Load(CFile* file) override {
        numbers.clear();
        std::int32_t n = 0;
        while (LoadEndianBytes(file, &n, 4))
            numbers.push_back(n);
        return 1;
    }
};

} // namespace

TEST(CPtFile, ByteOrderConversion) {
    NumberFile f;
    ASSERT_EQ(CPtFile::HostByteOrder(), CPtFile::kLittleEndian) << "tests assume x86";

    TempDir dir;
    f.numbers = {0x01020304};
    ASSERT_EQ(f.Save(dir.File("le.bin")), 1);
    EXPECT_EQ(ReadBytes(dir.File("le.bin")), std::string("\x04\x03\x02\x01", 4));

    EXPECT_EQ(f.SetFileEndian(CPtFile::kBigEndian), 1);
    ASSERT_EQ(f.Save(dir.File("be.bin")), 1);
    EXPECT_EQ(ReadBytes(dir.File("be.bin")), std::string("\x01\x02\x03\x04", 4));
    f.numbers.clear();
    ASSERT_EQ(f.Load(dir.File("be.bin")), 1);
    EXPECT_EQ(f.numbers, (std::vector<std::int32_t>{0x01020304}));
}

TEST(CPtFile, FailedSaveKeepsOldFileAndLeavesNoTemporary) {
    TempDir dir;
    NumberFile f;
    f.numbers = {1, 2};
    ASSERT_EQ(f.Save(dir.File("data.bin")), 1);
    const std::string old = ReadBytes(dir.File("data.bin"));
    EXPECT_EQ(f.GetLastPath(), dir.File("data.bin"));

    f.numbers = {3, 4, 5};
    f.failSave = true;
    EXPECT_EQ(f.Save(dir.File("data.bin")), 0);
    EXPECT_EQ(f.GetError(), 1);
    EXPECT_EQ(ReadBytes(dir.File("data.bin")), old);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"data.bin"}));

    // Saving into a folder that does not exist fails cleanly too.
    EXPECT_EQ(f.Save(dir.File("missing/data.bin")), 0);
    // The next save removes temporary files of ours older than a day.
    const std::pair<const char*, int> ages[] = {
        {"pfOLD000.tmp", 25}, {"old.tmp", 25}, {"pfNEW000.tmp", 23}};
    for (const auto& [name, hours] : ages) {
        kova::test::WriteBytes(dir.File(name), "x");
        const timespec times[2] = {{0, UTIME_OMIT}, {time(nullptr) - hours * 3600, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, dir.File(name).c_str(), times, 0), 0);
    }
    f.failSave = false;
    EXPECT_EQ(f.Save(dir.File("data.bin")), 1);
    EXPECT_EQ(f.GetError(), 0);
    EXPECT_EQ(ReadBytes(dir.File("data.bin")).size(), 12u);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"data.bin", "old.tmp", "pfNEW000.tmp"}));
}

TEST(CPtFile, UnwritableFolderFailsWithTheMessageAndFollowsNoLink) {
    TempDir dir;
    const std::string folder = dir.File("ro"), victim = dir.File("victim");
    NumberFile f;
    f.numbers = {1};
    kova::test::WriteBytes(victim, "victim");
    ASSERT_EQ(mkdir(folder.c_str(), 0755) + f.Save(folder + "/data.bin"), 1);
    // A link at the old fallback name, in a folder an ordinary user cannot write.
    ASSERT_EQ(symlink(victim.c_str(), (folder + "/pfz99999.tmp").c_str()) |
                  chmod(folder.c_str(), 0555) | chmod(dir.Path().c_str(), 0755) |
                  chmod(victim.c_str(), 0666),
              0);
    const pid_t child = fork();
    if (child == 0) { // root writes anywhere
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(9);
        kova::RecordingPrompter prompter;
        prompter.QueueFiles({folder + "/data.bin"});
        f.numbers = {2};
        const int saved = f.Save(prompter);
        const std::vector<std::string> said = {"File save error.", "文件保存失败。"};
        _exit(saved + (prompter.Texts() == said ? 2 : 0));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 2) << "not saved, with the save message";
    EXPECT_EQ(ReadBytes(victim) + ReadBytes(folder + "/data.bin"),
              "victim" + std::string("\1\0\0\0", 4));
}

TEST(CPtFile, BareNameSavesInTheCurrentDirectoryAndKeepsMode) {
    TempDir dir;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    NumberFile f;
    f.numbers = {7};
    int ok = f.Save(std::string("bare.bin"));
    struct stat info {};
    ::stat("bare.bin", &info);
    EXPECT_EQ(chdir(cwd), 0);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"bare.bin"}));
    // A new file gets the ordinary mode, not the private mode of a temporary file.
    EXPECT_NE(info.st_mode & 0044, 0u);

    ASSERT_EQ(chmod(dir.File("bare.bin").c_str(), 0640), 0);
    ASSERT_EQ(f.Save(dir.File("bare.bin")), 1);
    ::stat(dir.File("bare.bin").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(CPtFile, DialogFormsUseThePrompter) {
    TempDir dir;
    kova::RecordingPrompter prompter;
    NumberFile f;

    EXPECT_EQ(f.Load(prompter), 0); // cancelled: no message
    EXPECT_EQ(f.Save(prompter), 0);
    EXPECT_TRUE(prompter.Messages().empty());
    ASSERT_EQ(prompter.FileRequests().size(), 2u);

    prompter.QueueFiles({dir.File("absent.bin")});
    EXPECT_EQ(f.Load(prompter), 0);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0],
              (kova::Message{"文件打开失败。", "错误", kova::MessageIcon::Exclamation,
                             kova::MessageButtons::Ok}));

    prompter.Clear();
    f.failSave = true;
    prompter.QueueFiles({dir.File("out.bin")});
    EXPECT_EQ(f.Save(prompter), 0);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"File save error.", "文件保存失败。"}));
    EXPECT_FALSE(kova::test::Exists(dir.File("out.bin")));
}

TEST(CPtFile, PathSplitting) {
    // Path, drive, directory, name: both separators, a colon only as a drive.
    const std::tuple<const char*, const char*, const char*, const char*> paths[] = {
        {"C:\\data\\run1.trk", "C", "\\data", "run1.trk"},
        {"C:\\run1.trk", "C", "\\", "run1.trk"},
        {"/home/user/My Data/run1.trk", "", "/home/user/My Data", "run1.trk"},
        {"/home/a:b/run1.trk", "", "/home/a:b", "run1.trk"},
        {"mixed/sub\\file.bmp", "", "mixed/sub", "file.bmp"}};
    std::string drive, dir, name, base, suffix, head, digits;
    for (const auto& [path, d, folder, file] : paths) {
        CPtFile::SplitPath(path, &drive, &dir, &name);
        EXPECT_EQ(drive + "|" + dir + "|" + name, std::string(d) + "|" + folder + "|" + file);
    }
    const std::tuple<const char*, const char*, const char*> suffixes[] = {
        {"C:\\a.b\\file", "C:\\a", "b\\file"},
        {".hidden", ".hidden", ""},
        {"walk0001.bmp", "walk0001", "bmp"}};
    for (const auto& [path, b, x] : suffixes) {
        CPtFile::SplitSuffix(path, &base, &suffix);
        EXPECT_EQ(base + "|" + suffix, std::string(b) + "|" + x);
    }

    // Text, result, head and digits.
    const std::tuple<const char*, int, const char*> numbers[] = {
        {"run0012", 1, "run|0012"}, {"123", 1, "|123"}, {"abc", 0, "abc|"}, {"", 0, "|"}};
    for (const auto& [text, result, split] : numbers) {
        EXPECT_EQ(CPtFile::SplitNumber(text, &head, &digits), result) << text;
        EXPECT_EQ(head + "|" + digits, split);
    }
    long number = -1;
    EXPECT_EQ(CPtFile::SplitNumber("run0012", &head, &number), 1);
    EXPECT_EQ(number, 12);
    EXPECT_EQ(CPtFile::SplitNumber("abc", &head, &number), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(CPtFile::SplitNumber("x99999999999999999999999", &head, &number), 1);
    EXPECT_GT(number, 0) << "an overlong number must not wrap";
}
