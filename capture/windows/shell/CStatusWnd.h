#pragma once

#include <QDockWidget>
#include <memory>

class QTimer;
class StatusWindowLogic;
namespace Ui {
class CStatusWnd;
}

// The status window "状态窗", a dock of the main window: display mode,
// keeping the source frame, the displayed frame, the continuous display
// and the processing region. Each control calls one logic operation.
class CStatusWnd : public QDockWidget {
    Q_OBJECT

public:
    explicit CStatusWnd(StatusWindowLogic& logic, QWidget* parent = nullptr);
    ~CStatusWnd() override;

    // Takes the logic's values (frame ranges follow the store).
    void Refresh();
    QTimer* Timer() const { return timer_; }

signals:
    // The display may look different: the view repaints.
    void displayChanged();

private:
    void Connect();
    void ConnectRegion();
    void OnContinuous();
    void OnTick();
    void ShowRunning();

    std::unique_ptr<Ui::CStatusWnd> ui_;
    StatusWindowLogic& logic_;
    QTimer* timer_;
};
