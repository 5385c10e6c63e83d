#pragma once

#include "CVideoCapture.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class CCaptureSourceDlg;
}

// "源": one slider and spin box per control of a driver; a change is set on
// the driver at once.
class CCaptureSourceDlg : public QDialog {
    Q_OBJECT

public:
    using Setter = std::function<bool(int id, int value)>;

    CCaptureSourceDlg(const std::vector<kova::CaptureControl>& controls, Setter setter,
                      QWidget* parent = nullptr);
    ~CCaptureSourceDlg() override;

private:
    void AddControl(int row, const kova::CaptureControl& control);

    std::unique_ptr<Ui::CCaptureSourceDlg> ui_;
    Setter setter_;
};
