#include "ChartSizeDlg.h"

#include "ChartExport.h"
#include "ui_ChartSizeDlg.h"

#include <QSpinBox>

ChartSizeDlg::ChartSizeDlg(QSize initial, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ChartSizeDlg>()) {
    ui_->setupUi(this);
    ui_->width->setRange(1, kMaxChartSide);
    ui_->height->setRange(1, kMaxChartSide);
    ui_->width->setValue(initial.width());
    ui_->height->setValue(initial.height());
}

ChartSizeDlg::~ChartSizeDlg() = default;

QSize ChartSizeDlg::Chosen() const {
    return {ui_->width->value(), ui_->height->value()};
}
