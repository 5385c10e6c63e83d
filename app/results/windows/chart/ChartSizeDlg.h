#pragma once

#include <QDialog>
#include <QSize>
#include <memory>

namespace Ui {
class ChartSizeDlg;
}

// The pixel size a chart is saved at ("宽度", "高度"), 1 to 16384 each.
class ChartSizeDlg : public QDialog {
    Q_OBJECT

public:
    ChartSizeDlg(QSize initial, QWidget* parent);
    ~ChartSizeDlg() override;

    QSize Chosen() const;

private:
    std::unique_ptr<Ui::ChartSizeDlg> ui_;
};
