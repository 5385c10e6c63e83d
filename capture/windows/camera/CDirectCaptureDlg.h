#pragma once

#include "DirectCaptureControls.h"

#include <QDialog>
#include <memory>

class CaptureViewPort;
class DirectCaptureLogic;
class QTimer;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova
namespace Ui {
class CDirectCaptureDlg;
}

// The direct capture dialog "直接采集": a modeless window over its logic,
// which owns the capture object while the window lives. A timer advances a
// running capture or playback; closing is refused while a capture or a
// transfer runs, and otherwise stops preview and capture.
class CDirectCaptureDlg : public QDialog, public DirectCaptureControls {
    Q_OBJECT

public:
    CDirectCaptureDlg(kova::CFrameStore& store, kova::Prompter& prompter, CaptureViewPort& view,
                      QWidget* parent = nullptr);
    ~CDirectCaptureDlg() override;

    bool IsRunning() const;
    DirectCaptureLogic& Logic() { return *logic_; }

    void ReadControls(DirectCaptureFields* fields) override;
    void WriteControls(const DirectCaptureFields& fields) override;
    void SetStatus(const std::string& text) override;
    void EnableControls(const DirectCaptureEnables& enables) override;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    void EnableRateEdit();

    std::unique_ptr<Ui::CDirectCaptureDlg> ui_;
    std::unique_ptr<DirectCaptureLogic> logic_;
    QTimer* timer_ = nullptr;
    bool closed_ = false;
    bool settingsEnabled_ = false;
};
