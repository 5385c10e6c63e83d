#pragma once

#include "ValueRange.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class ChartRangeDlg;
}
namespace kova {
class Prompter;
}

// The dialog "分布图表示范围设定": whether a panel's value range is fixed,
// and the two values that fix it.
class ChartRangeDlg : public QDialog {
    Q_OBJECT

public:
    // Shows `shown` as the two values; the box is set when the range is fixed.
    ChartRangeDlg(kova::Prompter& prompter, const ValueRange& shown, bool fixed, QWidget* parent);
    ~ChartRangeDlg() override;

    // After OK: the fixed range, or none for the automatic one.
    std::optional<ValueRange> Chosen() const { return chosen_; }

    // OK: with the box set the two values must be numbers and differ, else
    // "值的设定异常。" and the dialog stays open.
    void accept() override;

private:
    std::unique_ptr<Ui::ChartRangeDlg> ui_;
    kova::Prompter& prompter_;
    std::optional<ValueRange> chosen_;
};
