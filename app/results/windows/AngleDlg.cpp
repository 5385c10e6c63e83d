#include "AngleDlg.h"

#include "AngleWindowLogic.h"
#include "ui_AngleDlg.h"

AngleDlg::AngleDlg(AngleWindowLogic& logic, QWidget* parent)
    : AnalysisDialog(logic, parent), ui_(new Ui::AngleDlg) {
    ui_->setupUi(this);
    modes_ = {ui_->threePoints, ui_->twoLines, ui_->xAxis, ui_->yAxis};
    points_ = {ui_->p1, ui_->p2, ui_->p3, ui_->p4};
    Bind(ItemNames<AngleAnalysis>(), {points_.begin(), points_.end()});
    for (std::size_t m = 0; m < modes_.size(); ++m) {
        const auto mode = static_cast<AngleMode>(m);
        connect(modes_[m], &QRadioButton::clicked, this, [&logic, mode] { logic.SetMode(mode); });
    }
}

AngleDlg::~AngleDlg() = default;

void AngleDlg::ReadAngle(AngleFields* fields) {
    for (std::size_t m = 0; m < modes_.size(); ++m)
        if (modes_[m]->isChecked()) fields->mode = static_cast<AngleMode>(m);
    for (std::size_t i = 0; i < points_.size(); ++i)
        fields->points[i] = points_[i]->currentIndex();
    fields->otherSide = ui_->otherSide->isChecked();
}

void AngleDlg::WriteAngle(const AngleFields& fields) {
    modes_[static_cast<std::size_t>(fields.mode)]->setChecked(true);
    for (std::size_t i = 0; i < points_.size(); ++i)
        points_[i]->setCurrentIndex(fields.points[i]);
    ui_->otherSide->setChecked(fields.otherSide);
}

void AngleDlg::EnablePicks(int selectors, bool otherSide) {
    for (std::size_t i = 0; i < points_.size(); ++i)
        points_[i]->setEnabled(static_cast<int>(i) < selectors);
    ui_->otherSide->setEnabled(otherSide);
}
