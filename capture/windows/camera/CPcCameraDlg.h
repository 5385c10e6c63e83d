#pragma once

#include "PcCameraControls.h"

#include <QDialog>
#include <memory>

class CaptureViewPort;
class PcCameraLogic;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova
namespace Ui {
class CPcCameraDlg;
}

// The PC camera dialog "采集设置窗口": a modeless window over its logic,
// which owns the camera while the window lives. Closing is refused while a
// capture runs, and otherwise closes the driver.
class CPcCameraDlg : public QDialog, public PcCameraControls {
    Q_OBJECT

public:
    CPcCameraDlg(kova::CFrameStore& store, kova::Prompter& prompter, CaptureViewPort& view,
                 QWidget* parent = nullptr);
    ~CPcCameraDlg() override;

    bool IsRunning() const;
    PcCameraLogic& Logic() { return *logic_; }

    void ReadControls(PcCameraFields* fields) override;
    void WriteControls(const PcCameraFields& fields) override;
    void SetStatus(const std::string& label, int count) override;
    void EnableControls(const PcCameraEnables& enables) override;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    void ChooseFormat();
    void ShowSource();
    void Copy();

    std::unique_ptr<Ui::CPcCameraDlg> ui_;
    std::unique_ptr<PcCameraLogic> logic_;
    bool closed_ = false;
};
