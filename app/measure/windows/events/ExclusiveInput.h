#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

// While it exists, what the user does reaches only the given windows, the
// window that holds the mouse, and a modal dialog or popup opened meanwhile:
// the mouse, key, wheel, shortcut and close events of every other window are
// dropped. Paint, timer and all other events go on as usual.
class ExclusiveInput : public QObject {
public:
    explicit ExclusiveInput(std::vector<QPointer<QWidget>> allowed);
    ~ExclusiveInput() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Allowed(const QObject* receiver) const;

    std::vector<QPointer<QWidget>> allowed_;
};
