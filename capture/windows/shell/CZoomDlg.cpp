#include "CZoomDlg.h"

#include "CapvoZoom.h"
#include "ui_CZoomDlg.h"

#include <QSignalBlocker>

CZoomDlg::CZoomDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CZoomDlg) {
    ui_->setupUi(this);
    setModal(false);
    ui_->rate->setRange(CapvoZoom::kMin, CapvoZoom::kMax);
    ui_->rate->setSingleStep(10);
    ui_->rate->setPageStep(50);
    SetZoom(CapvoZoom::kStandard);
    connect(ui_->rate, &QScrollBar::valueChanged, this, [this](int percent) {
        ShowPercent(percent);
        emit zoomChanged(percent);
    });
    connect(ui_->standard, &QPushButton::clicked, this,
            [this] { ui_->rate->setValue(CapvoZoom::kStandard); });
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::close);
}

CZoomDlg::~CZoomDlg() = default;

int CZoomDlg::Zoom() const {
    return ui_->rate->value();
}

void CZoomDlg::SetZoom(int percent) {
    const QSignalBlocker block(ui_->rate);
    ui_->rate->setValue(CapvoZoom::Clamp(percent));
    ShowPercent(ui_->rate->value());
}

void CZoomDlg::ShowPercent(int percent) {
    ui_->percent->setText(QStringLiteral("%1%").arg(percent));
}
