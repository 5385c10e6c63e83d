#include "CCaptureSourceDlg.h"

#include "ui_CCaptureSourceDlg.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>

CCaptureSourceDlg::CCaptureSourceDlg(const std::vector<kova::CaptureControl>& controls,
                                     Setter setter, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CCaptureSourceDlg), setter_(std::move(setter)) {
    ui_->setupUi(this);
    for (std::size_t i = 0; i < controls.size(); ++i)
        AddControl(static_cast<int>(i), controls[i]);
    ui_->noControls->setVisible(controls.empty());
    connect(ui_->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CCaptureSourceDlg::~CCaptureSourceDlg() = default;

void CCaptureSourceDlg::AddControl(int row, const kova::CaptureControl& control) {
    const QString name = QString::fromStdString(control.name);
    auto* label = new QLabel(name, ui_->controlsArea);
    auto* slider = new QSlider(Qt::Horizontal, ui_->controlsArea);
    auto* spin = new QSpinBox(ui_->controlsArea);
    slider->setRange(control.minimum, control.maximum);
    slider->setSingleStep(std::max(1, control.step));
    spin->setRange(control.minimum, control.maximum);
    spin->setSingleStep(std::max(1, control.step));
    slider->setValue(control.value);
    spin->setValue(control.value);
    slider->setAccessibleName(name);
    spin->setAccessibleName(name + QStringLiteral(" 值"));
    label->setBuddy(spin);
    ui_->controlsGrid->addWidget(label, row, 0);
    ui_->controlsGrid->addWidget(slider, row, 1);
    ui_->controlsGrid->addWidget(spin, row, 2);
    const int id = control.id;
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this, slider, id](int value) {
        slider->setValue(value);
        setter_(id, value);
    });
}
