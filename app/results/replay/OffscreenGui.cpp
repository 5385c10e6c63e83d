#include "OffscreenGui.h"

#include <QGuiApplication>
#include <QString>
#include <clocale>
#include <string>

namespace {

QtMessageHandler previousHandler = nullptr;

// The platform's note that it has no runtime folder is no concern of a
// program that shows nothing.
void WithoutRuntimeNote(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("QStandardPaths:"))) return;
    if (previousHandler) previousHandler(type, context, text);
}

} // namespace

OffscreenGui::OffscreenGui() {
    if (QCoreApplication::instance()) return;
    static int argc = 3;
    static char name[] = "kova";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    const char* current = std::setlocale(LC_ALL, nullptr);
    const std::string locale = current ? current : "C";
    previousHandler = qInstallMessageHandler(WithoutRuntimeNote);
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    std::setlocale(LC_ALL, locale.c_str());
}

OffscreenGui::~OffscreenGui() = default;
