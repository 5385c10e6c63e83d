#include "DialogLoopGate.h"

#include <QApplication>
#include <QEvent>

DialogLoopGate::DialogLoopGate(QWidget* dialog, QWidget* view) : dialog_(dialog), view_(view) {
    qApp->installEventFilter(this);
}

DialogLoopGate::~DialogLoopGate() {
    qApp->removeEventFilter(this);
}

bool DialogLoopGate::IsInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

bool DialogLoopGate::Within(const QWidget* widget, const QWidget* owner) {
    for (; owner && widget; widget = widget->parentWidget())
        if (widget == owner) return true;
    return false;
}

bool DialogLoopGate::MayClose(const QWidget* widget) const {
    return Within(widget, dialog_) || Within(widget, QApplication::activePopupWidget()) ||
           Within(widget, QApplication::activeModalWidget());
}

bool DialogLoopGate::MayTakeInput(const QWidget* widget) const {
    return MayClose(widget) || Within(widget, view_) || Within(widget, QWidget::mouseGrabber());
}

bool DialogLoopGate::eventFilter(QObject* receiver, QEvent* event) {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget) return false;
    // The view and the windows the dialog works for must outlive the loop.
    if (event->type() == QEvent::Close) return !MayClose(widget);
    return IsInput(event) && !MayTakeInput(widget);
}
