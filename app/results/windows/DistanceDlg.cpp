#include "DistanceDlg.h"

#include "DistancePairList.h"
#include "DistanceWindowLogic.h"
#include "ui_DistanceDlg.h"

#include <QSignalBlocker>

DistanceDlg::DistanceDlg(DistanceWindowLogic& logic, QWidget* parent)
    : AnalysisDialog(logic, parent), ui_(new Ui::DistanceDlg) {
    ui_->setupUi(this);
    Bind({}, {ui_->first, ui_->second});
    for (int colour = 0; colour < DistancePairList::kColourCount; ++colour)
        ui_->colour->addItem(QString::fromUtf8(DistancePairList::ColourName(colour)));
    for (int style = 0; style < DistancePairList::kStyleCount; ++style)
        ui_->style->addItem(QString::fromUtf8(DistancePairList::StyleName(style)));
    connect(ui_->add, &QPushButton::clicked, this, [&logic] { logic.AddPair(); });
    connect(ui_->remove, &QPushButton::clicked, this, [&logic] { logic.DeletePair(); });
    connect(ui_->removeAll, &QPushButton::clicked, this, [&logic] { logic.DeleteAllPairs(); });
    connect(ui_->pairs, &QListWidget::currentRowChanged, this,
            [&logic](int row) { logic.SelectPair(row); });
}

DistanceDlg::~DistanceDlg() = default;

void DistanceDlg::ReadPairs(DistanceFields* fields) {
    fields->first = ui_->first->currentIndex();
    fields->second = ui_->second->currentIndex();
    fields->colour = ui_->colour->currentIndex();
    fields->style = ui_->style->currentIndex();
    fields->selectedPair = ui_->pairs->currentRow();
}

void DistanceDlg::WritePairs(const DistanceFields& fields) {
    ui_->first->setCurrentIndex(fields.first);
    ui_->second->setCurrentIndex(fields.second);
    ui_->colour->setCurrentIndex(fields.colour);
    ui_->style->setCurrentIndex(fields.style);
    const QSignalBlocker quiet(ui_->pairs); // the logic chose the selection
    ui_->pairs->setCurrentRow(fields.selectedPair);
}

void DistanceDlg::SetPairEntries(const std::vector<std::string>& entries) {
    const QSignalBlocker quiet(ui_->pairs);
    ui_->pairs->clear();
    for (const std::string& entry : entries)
        ui_->pairs->addItem(QString::fromStdString(entry));
}
