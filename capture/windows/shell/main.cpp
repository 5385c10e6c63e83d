#include "CCapvoFrame.h"
#include "CFrameStore.h"
#include "FrameStoreSettings.h"
#include "QtPrompter.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QSettings>
#include <clocale>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes the desktop's locale; the files must not get decimal commas.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Capvo"));
    kova::InstallQtTranslations(application);
    kova::CFrameStore store;
    if (!store.InitImageSys()) return 1;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QStringLiteral("Local AppWizard-Generated Applications"),
                       QStringLiteral("Capvo"));
    FrameStoreSettings::Load(settings, FrameStoreSettings::From(store)).Apply(store);
    int result = 0;
    {
        QtPrompter prompter;
        CCapvoFrame frame(store, prompter, settings);
        prompter.SetParent(&frame);
        frame.show();
        result = QApplication::exec();
    }
    store.FinishImageSys();
    settings.sync();
    return result;
}
