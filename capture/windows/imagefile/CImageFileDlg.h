#pragma once

#include "ImageFileControls.h"
#include "ImageFileLogic.h"

#include <QDialog>
#include <QTimer>
#include <memory>

namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova
namespace Ui {
class CImageFileDlg;
}

// capvo's modeless image file dialog "位图图像文件": shows the fields of its
// logic and passes the buttons on. While an operation runs, a 10 ms timer
// follows the store's progress position, 运行 and 关闭 are off, 停止 is on,
// and the dialog refuses to close.
class CImageFileDlg : public QDialog, public ImageFileControls {
    Q_OBJECT

public:
    CImageFileDlg(kova::CFrameStore& store, kova::Prompter& prompter, QWidget* parent = nullptr);
    ~CImageFileDlg() override;

    bool IsRunning() const { return logic_.IsRunning(); }

    void ReadControls(ImageFileFields* fields) override;
    void WriteControls(const ImageFileFields& fields) override;
    void SetRunning(bool running) override;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    void ShowProgress();

    std::unique_ptr<Ui::CImageFileDlg> ui_;
    kova::CFrameStore& store_;
    ImageFileLogic logic_;
    QTimer timer_;
};
