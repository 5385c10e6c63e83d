#include "CommandAction.h"

#include <QAction>
#include <QString>

namespace kova {

QAction* MakeCommandAction(const char* text, const char* status, QObject* parent) {
    auto* action = new QAction(QString::fromUtf8(text), parent);
    QString tip = status ? QString::fromUtf8(status) : QString();
    const qsizetype cut = tip.indexOf(QLatin1Char('\n'));
    if (cut >= 0) {
        action->setToolTip(tip.mid(cut + 1));
        tip = tip.left(cut);
    }
    action->setStatusTip(tip);
    return action;
}

} // namespace kova
