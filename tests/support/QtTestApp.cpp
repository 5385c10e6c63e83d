#include "QtTestApp.h"

#include <QApplication>
#include <QByteArray>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>

namespace kova::test {
namespace {

std::unique_ptr<QApplication>& AppSlot() {
    static std::unique_ptr<QApplication> app;
    return app;
}

// Ends the application after the last test, while Qt's own globals still
// exist (destroying it among the exit-time statics crashes).
class AppEnvironment : public ::testing::Environment {
public:
    void TearDown() override { AppSlot().reset(); }
};

// GoogleTest takes ownership of the environment.
const ::testing::Environment* const kAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

QApplication& QtTestApp() {
    static QTemporaryDir home;
    std::unique_ptr<QApplication>& app = AppSlot();
    if (app) return *app;
    const QByteArray root = home.path().toLocal8Bit();
    const QByteArray runtime = root + "/runtime";
    ::mkdir(runtime.constData(), 0700);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    static int argc = 1;
    static char name[] = "kova_tests";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromLocal8Bit(root + "/settings"));
    return *app;
}

} // namespace kova::test
