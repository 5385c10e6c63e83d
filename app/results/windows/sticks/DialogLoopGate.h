#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QEvent;

// While a dialog runs its own message loop: lets through the input meant
// for the dialog, the main view, the widget that has the mouse grabbed, an
// open popup or modal box, and their children; discards other input. Only
// the dialog, a popup or a modal box may be closed, so that the view and the
// windows the dialog works for outlive the loop. Painting and timers always
// pass. Installed
// on the application for as long as it lives.
class DialogLoopGate : public QObject {
public:
    DialogLoopGate(QWidget* dialog, QWidget* view);
    ~DialogLoopGate() override;

    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    static bool IsInput(const QEvent* event);
    // `widget` is `owner` or lies below it, across windows.
    static bool Within(const QWidget* widget, const QWidget* owner);
    bool MayClose(const QWidget* widget) const;
    bool MayTakeInput(const QWidget* widget) const;

    QPointer<QWidget> dialog_;
    QPointer<QWidget> view_;
};
