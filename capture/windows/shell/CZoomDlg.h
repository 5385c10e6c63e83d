#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CZoomDlg;
}

// The zoom dialog "放大和缩小": a scroll bar sets the display scale in
// percent (10..500), "标准" returns to 100. Modeless; each change applies.
class CZoomDlg : public QDialog {
    Q_OBJECT

public:
    explicit CZoomDlg(QWidget* parent = nullptr);
    ~CZoomDlg() override;

    int Zoom() const;
    // Follows the view's scale without announcing it.
    void SetZoom(int percent);

signals:
    void zoomChanged(int percent);

private:
    void ShowPercent(int percent);

    std::unique_ptr<Ui::CZoomDlg> ui_;
};
