#include "ChartRangeDlg.h"

#include "ChartTicks.h"
#include "Prompter.h"
#include "ui_ChartRangeDlg.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

QString ValueText(double value) {
    return QString::fromStdString(FormatValue(value, 3));
}

std::optional<double> ValueOf(const QLineEdit& field) {
    bool ok = false;
    const double value = field.text().trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace

ChartRangeDlg::ChartRangeDlg(kova::Prompter& prompter, const ValueRange& shown, bool fixed,
                             QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ChartRangeDlg>()), prompter_(prompter) {
    ui_->setupUi(this);
    ui_->value1->setText(ValueText(shown.lower));
    ui_->value2->setText(ValueText(shown.upper));
    connect(ui_->fixed, &QCheckBox::toggled, ui_->value1, &QWidget::setEnabled);
    connect(ui_->fixed, &QCheckBox::toggled, ui_->value2, &QWidget::setEnabled);
    ui_->fixed->setChecked(fixed);
    ui_->value1->setEnabled(fixed);
    ui_->value2->setEnabled(fixed);
}

ChartRangeDlg::~ChartRangeDlg() = default;

void ChartRangeDlg::accept() {
    chosen_.reset();
    if (ui_->fixed->isChecked()) {
        const std::optional<double> first = ValueOf(*ui_->value1);
        const std::optional<double> second = ValueOf(*ui_->value2);
        if (first && second && *first != *second) chosen_ = FixedRange(*first, *second);
        if (!chosen_) {
            prompter_.Show("值的设定异常。", "确认", kova::MessageIcon::Exclamation);
            return;
        }
    }
    QDialog::accept();
}
