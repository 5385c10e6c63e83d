#include "RecordingPrompter.h"
#include "ViewCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/types.h>

namespace {

// The processes running the program at `path`.
std::vector<pid_t> Running(const QString& path) {
    std::vector<pid_t> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (!number) continue;
        const QFileInfo exe(QStringLiteral("/proc/%1/exe").arg(pid));
        if (exe.symLinkTarget() == path) found.push_back(pid);
    }
    return found;
}

TEST(CapvoStartTest, KovaStartsTheCapvoBesideIt) {
    const QString program = QFileInfo(QStringLiteral(CAPVO_DIR "/capvo")).canonicalFilePath();
    ASSERT_FALSE(program.isEmpty());
    const std::vector<pid_t> before = Running(program);
    kova::RecordingPrompter prompter;
    ASSERT_EQ(ViewCommands::StartCapture(CAPVO_DIR, prompter), CommandResult::Done);
    EXPECT_TRUE(prompter.Texts().empty());
    // The new process shows up within a few seconds at most.
    std::vector<pid_t> started;
    for (int wait = 0; wait < 100 && started.empty(); ++wait) {
        for (pid_t pid : Running(program))
            if (std::find(before.begin(), before.end(), pid) == before.end())
                started.push_back(pid);
        if (started.empty()) QThread::msleep(50);
    }
    ASSERT_FALSE(started.empty());
    for (pid_t pid : started)
        ::kill(pid, SIGKILL);
}

} // namespace
