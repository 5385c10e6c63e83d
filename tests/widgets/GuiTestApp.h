#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace kova::test {

inline std::unique_ptr<QApplication>& GuiAppHolder() {
    static std::unique_ptr<QApplication> app;
    return app;
}

// Ends the application after the last test, while Qt's own globals live.
class GuiAppEnvironment : public ::testing::Environment {
public:
    void TearDown() override { GuiAppHolder().reset(); }
};

// The QApplication of the widget tests, made on first use: offscreen
// platform, a private runtime directory and settings in a temporary folder.
inline QApplication* GuiApp() {
    std::unique_ptr<QApplication>& app = GuiAppHolder();
    static std::unique_ptr<QTemporaryDir> home;
    if (app) return app.get();
    home = std::make_unique<QTemporaryDir>();
    const QByteArray root = home->path().toLocal8Bit();
    const QByteArray runtime = root + "/runtime";
    ::mkdir(runtime.constData(), 0700);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    static int argc = 1;
    static char name[] = "kova_tests";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment); // owned by the test runner
    std::setlocale(LC_NUMERIC, "C");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromLocal8Bit(root + "/settings"));
    return app.get();
}

} // namespace kova::test
