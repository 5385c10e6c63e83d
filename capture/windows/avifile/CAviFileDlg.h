#pragma once

#include "AviFileControls.h"

#include <QDialog>
#include <memory>

class AviFileLogic;
class CSledoCtrl;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova
namespace Ui {
class CAviFileDlg;
}

// The dialog "AVI 视频文件操作" of capvo: shows the fields of its logic,
// passes the buttons and the slider on, and refuses to close while a load
// or save runs.
class CAviFileDlg : public QDialog, public AviFileControls {
    Q_OBJECT

public:
    CAviFileDlg(kova::CFrameStore& store, kova::Prompter& prompter, QWidget* parent = nullptr);
    ~CAviFileDlg() override;

    bool IsRunning() const;
    AviFileLogic& Logic() { return *logic_; }

    void ReadControls(AviFileFields* fields) override;
    void WriteControls(const AviFileFields& fields) override;
    void SetPropertyText(const std::string& text) override;
    void ShowPreview(const QImage& image, const std::string& text) override;
    void SetSliderRange(int min, int max) override;
    void SetProgress(int percent) override;
    void SetRunning(bool running) override;
    void FocusField(AviFileField field) override;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    QWidget* FieldWidget(AviFileField field) const;

    std::unique_ptr<Ui::CAviFileDlg> ui_;
    std::unique_ptr<AviFileLogic> logic_;
    CSledoCtrl* slider_ = nullptr; // owned by its host widget
};
