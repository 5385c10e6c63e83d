#include "SledoTestApp.h"

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

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

QApplication& SledoTestApp() {
    static QTemporaryDir runtimeDir; // private (0700) runtime directory
    std::unique_ptr<QApplication>& app = AppSlot();
    if (app) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    static int argc = 1;
    static char name[] = "slider_tests";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    return *app;
}

} // namespace kova::test
