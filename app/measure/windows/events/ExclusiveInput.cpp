#include "ExclusiveInput.h"

#include <QApplication>
#include <QEvent>

namespace {

bool IsUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    case QEvent::Close: // by the user; the program may still close a window
        return event->spontaneous();
    default:
        return false;
    }
}

// Whether `widget` is `root` or lies inside it, across window boundaries
// (a combo box's list is a window of its own inside the dialog).
bool Within(const QWidget* widget, const QWidget* root) {
    for (const QWidget* w = widget; root && w; w = w->parentWidget())
        if (w == root) return true;
    return false;
}

} // namespace

ExclusiveInput::ExclusiveInput(std::vector<QPointer<QWidget>> allowed)
    : allowed_(std::move(allowed)) {
    qApp->installEventFilter(this);
}

ExclusiveInput::~ExclusiveInput() {
    qApp->removeEventFilter(this);
}

bool ExclusiveInput::Allowed(const QObject* receiver) const {
    const QWidget* widget = nullptr;
    for (const QObject* o = receiver; o && !widget; o = o->parent())
        widget = qobject_cast<const QWidget*>(o);
    if (!widget) return !receiver->isWidgetType() && receiver->inherits("QWindow");
    for (const QWidget* root : {QWidget::mouseGrabber(), QApplication::activeModalWidget(),
                                QApplication::activePopupWidget()})
        if (Within(widget, root)) return true;
    for (const QPointer<QWidget>& root : allowed_)
        if (Within(widget, root.data())) return true;
    return false;
}

bool ExclusiveInput::eventFilter(QObject* watched, QEvent* event) {
    if (IsUserInput(event) && !Allowed(watched)) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
