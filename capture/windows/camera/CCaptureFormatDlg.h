#pragma once

#include "CVideoCapture.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CCaptureFormatDlg;
}

// "格式": lists a driver's formats (pixel format, size, rates) to choose one.
class CCaptureFormatDlg : public QDialog {
    Q_OBJECT

public:
    CCaptureFormatDlg(std::vector<kova::CaptureFormat> formats, int current,
                      QWidget* parent = nullptr);
    ~CCaptureFormatDlg() override;

    // The format chosen when the dialog was accepted.
    std::optional<kova::CaptureFormat> Chosen() const;

private:
    std::unique_ptr<Ui::CCaptureFormatDlg> ui_;
    std::vector<kova::CaptureFormat> formats_;
};
