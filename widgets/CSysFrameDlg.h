#pragma once

#include "FrameStoreSettings.h"

#include <QDialog>
#include <memory>

class QSettings;
namespace Ui {
class CSysFrameDlg;
}
namespace kova {
class CFrameStore;
}

// The frame-store settings dialog "系统帧设定": frame counts and the three
// directories. OK gives them to the store and keeps them in the settings.
class CSysFrameDlg : public QDialog {
    Q_OBJECT

public:
    CSysFrameDlg(kova::CFrameStore& store, QSettings& settings, QWidget* parent = nullptr);
    ~CSysFrameDlg() override;

    FrameStoreSettings Values() const;
    void SetValues(const FrameStoreSettings& values);

    void accept() override;

private:
    std::unique_ptr<Ui::CSysFrameDlg> ui_;
    kova::CFrameStore& store_;
    QSettings& settings_;
};
