#pragma once

#include "TrackParamForm.h"
#include "TrackParams.h"

#include <QDialog>
#include <memory>

namespace kova {
class Prompter;
}
namespace Ui {
class CTrackParamDlg;
}

// The parameter details dialog "参数明细", modal over the tracking window:
// shows the form of the parameters, applies its enabling rules and checks
// the area fields on 确定.
class CTrackParamDlg : public QDialog {
    Q_OBJECT

public:
    CTrackParamDlg(const TrackParams& params, kova::Prompter& prompter, QWidget* parent = nullptr);
    ~CTrackParamDlg() override;

    // After 确定: the parameters with the dialog's values.
    const TrackParams& Params() const { return params_; }

    void accept() override;

private:
    void Show(const TrackParamForm& form);
    TrackParamForm Read() const;
    void ApplyEnabling();

    std::unique_ptr<Ui::CTrackParamDlg> ui_;
    TrackParams params_;
    kova::Prompter& prompter_;
};
