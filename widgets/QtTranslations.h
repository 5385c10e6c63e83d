#pragma once

class QCoreApplication;

namespace kova {

// Loads Qt's own translation for the program's language (Chinese), so the
// file, print and page dialogs and the standard buttons speak it too.
// False when the translation is not installed (Qt's texts stay English).
bool InstallQtTranslations(QCoreApplication& application);

} // namespace kova
