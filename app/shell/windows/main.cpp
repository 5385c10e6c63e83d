#include "CKOVAApp.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <clocale>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes the desktop's locale; the files must not get decimal commas.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("KOVA"));
    kova::InstallQtTranslations(application);
    CKOVAApp kova;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!kova.InitInstance(arguments, QDir::currentPath().toStdString())) return 1;
    const int result = QApplication::exec();
    kova.ExitInstance();
    return result;
}
