#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace kova {

bool InstallQtTranslations(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // The application owns the translator: it lives as long as the texts.
    translator->setParent(&application);
    return QCoreApplication::installTranslator(translator.release());
}

} // namespace kova
