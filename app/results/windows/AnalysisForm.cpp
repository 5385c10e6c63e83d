#include "AnalysisForm.h"

#include "AnalysisWindowLogic.h"
#include "CEasyUtils.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace {

void Fill(QComboBox* box, const std::vector<std::string>& entries) {
    if (!box) return;
    box->clear();
    for (const std::string& entry : entries)
        box->addItem(QString::fromStdString(entry));
    box->setCurrentIndex(-1);
}

void Fill(QListWidget* list, const std::vector<std::string>& entries) {
    if (!list) return;
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
}

std::vector<std::string> UnitNames(int (*name)(std::string*, int)) {
    std::vector<std::string> names(CEasyUtils::kUnitCount);
    for (int unit = 0; unit < CEasyUtils::kUnitCount; ++unit)
        name(&names[static_cast<std::size_t>(unit)], unit);
    return names;
}

// The selected rows of a list, in list order.
std::vector<int> SelectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) rows.push_back(row);
    return rows;
}

void SelectRows(QListWidget* list, const std::vector<int>& rows) {
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(std::find(rows.begin(), rows.end(), row) != rows.end());
}

template <typename Call> void OnClick(QAbstractButton* button, QObject* context, Call call) {
    if (button) QObject::connect(button, &QAbstractButton::clicked, context, call);
}

template <typename Widget> Widget Find(const QWidget* form, const char* name) {
    return form->findChild<Widget>(QString::fromLatin1(name));
}

} // namespace

AnalysisWidgets::AnalysisWidgets(const QWidget* form)
    : targets(Find<QListWidget*>(form, "targets")),
      toggleAll(Find<QAbstractButton*>(form, "toggleAll")),
      setTargets(Find<QAbstractButton*>(form, "setTargets")),
      lower(Find<QLineEdit*>(form, "lower")), upper(Find<QLineEdit*>(form, "upper")),
      lengthUnit(Find<QComboBox*>(form, "lengthUnit")),
      timeUnit(Find<QComboBox*>(form, "timeUnit")), smoothing(Find<QLineEdit*>(form, "smoothing")),
      byFrame(Find<QAbstractButton*>(form, "byFrame")),
      byTarget(Find<QAbstractButton*>(form, "byTarget")), items(Find<QListWidget*>(form, "items")),
      showMarks(Find<QAbstractButton*>(form, "showMarks")),
      viewData(Find<QAbstractButton*>(form, "viewData")),
      viewChart(Find<QAbstractButton*>(form, "viewChart")) {}

void AnalysisForm::Bind(const AnalysisWidgets& widgets, const std::vector<std::string>& items,
                        AnalysisWindowLogic& logic, QObject* context) {
    w_ = widgets;
    Fill(w_.lengthUnit, UnitNames(&CEasyUtils::GetLongStr));
    Fill(w_.timeUnit, UnitNames(&CEasyUtils::GetTimeStr));
    Fill(w_.items, items);
    OnClick(w_.toggleAll, context, [&logic] { logic.ToggleAllTargets(); });
    OnClick(w_.showMarks, context, [&logic](bool on) { logic.SetShowMarks(on); });
    OnClick(w_.viewData, context, [&logic] { logic.ViewData(); });
    OnClick(w_.viewChart, context, [&logic] { logic.ViewChart(); });
}

int AnalysisForm::Number(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

void AnalysisForm::SetNumber(QLineEdit* edit, int value) {
    if (edit && Number(edit) != value) edit->setText(QString::number(value));
}

void AnalysisForm::Read(AnalysisFields* fields) const {
    AnalysisRange& r = fields->range;
    if (w_.lower) r.lower = Number(w_.lower);
    if (w_.upper) r.upper = Number(w_.upper);
    if (w_.lengthUnit) r.lengthUnit = w_.lengthUnit->currentIndex();
    if (w_.timeUnit) r.timeUnit = w_.timeUnit->currentIndex();
    if (w_.smoothing) r.smoothing = Number(w_.smoothing);
    if (w_.targets) r.targets = SelectedRows(w_.targets);
    if (w_.items) r.items = SelectedRows(w_.items);
    if (w_.byFrame) r.grouping = w_.byFrame->isChecked() ? Grouping::ByFrame : Grouping::ByTarget;
    if (w_.showMarks) fields->showMarks = w_.showMarks->isChecked();
}

void AnalysisForm::Write(const AnalysisFields& fields) const {
    const AnalysisRange& r = fields.range;
    SetNumber(w_.lower, r.lower);
    SetNumber(w_.upper, r.upper);
    if (w_.lengthUnit) w_.lengthUnit->setCurrentIndex(r.lengthUnit);
    if (w_.timeUnit) w_.timeUnit->setCurrentIndex(r.timeUnit);
    SetNumber(w_.smoothing, r.smoothing);
    if (w_.targets) SelectRows(w_.targets, r.targets);
    if (w_.items) SelectRows(w_.items, r.items);
    if (w_.byFrame && w_.byTarget)
        (r.grouping == Grouping::ByFrame ? w_.byFrame : w_.byTarget)->setChecked(true);
    if (w_.showMarks) w_.showMarks->setChecked(fields.showMarks);
}

void AnalysisForm::SetTargetEntries(const std::vector<std::string>& entries) const {
    Fill(w_.targets, entries);
    for (QComboBox* selector : w_.targetSelectors)
        Fill(selector, entries);
}
