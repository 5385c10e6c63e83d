#pragma once

#include "TrackControls.h"

#include <QDialog>
#include <functional>
#include <memory>

class TrackWindowLogic;
namespace kova {
class Prompter;
}
namespace Ui {
class CTrackDlg;
}

// The tracking window "追踪": shows the fields and texts of its logic and
// passes each control on. Made on demand; deletes itself on close.
class CTrackDlg : public QDialog, public TrackControls {
    Q_OBJECT

public:
    // `segment` runs 目标抽出 (the image segmentation window).
    CTrackDlg(TrackWindowLogic& logic, kova::Prompter& prompter, bool colourDisplay,
              std::function<void()> segment, QWidget* parent = nullptr);
    ~CTrackDlg() override;

    void ReadFields(TrackFields* fields) override;
    void WriteFields(const TrackFields& fields) override;
    void WriteTexts(const TrackTexts& texts) override;
    void Enable(const TrackEnabling& enabling) override;
    void ShowStatus(const std::string& text) override;

protected:
    void reject() override;

private:
    void Connect();
    void OpenDetails();

    std::unique_ptr<Ui::CTrackDlg> ui_;
    TrackWindowLogic& logic_;
    kova::Prompter& prompter_;
    std::function<void()> segment_;
};
