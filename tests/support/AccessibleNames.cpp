#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QWidget>

namespace kova::test {

namespace {

bool IsControl(QWidget& window, QWidget* w) {
    QWidget* parent = w->parentWidget();
    if (w->isWindow() || qobject_cast<QLabel*>(w) || !w->isVisibleTo(&window) ||
        w->objectName().startsWith(QStringLiteral("qt_")) || parent == nullptr ||
        parent->inherits("QAbstractSpinBox") || parent->inherits("QAbstractScrollArea") ||
        parent->objectName().startsWith(QStringLiteral("qt_")))
        return false;
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractSlider*>(w) ||
           qobject_cast<QProgressBar*>(w);
}

} // namespace

QString AccessibleName(const QWidget& control) {
    const auto* button = qobject_cast<const QAbstractButton*>(&control);
    if (!control.accessibleName().isEmpty() || button == nullptr) return control.accessibleName();
    return button->text().remove(QLatin1Char('&'));
}

std::vector<std::string> UnnamedOrRepeatedControls(QWidget& window) {
    std::vector<std::string> found;
    QSet<QString> names;
    int controls = 0;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!IsControl(window, w)) continue;
        ++controls;
        const QString name = AccessibleName(*w);
        if (name.isEmpty() || names.contains(name))
            found.push_back(w->objectName().toStdString() + " '" + name.toStdString() + "'");
        names.insert(name);
    }
    if (controls == 0) found.push_back("no control at all");
    return found;
}

} // namespace kova::test
