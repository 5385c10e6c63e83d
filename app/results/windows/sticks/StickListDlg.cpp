#include "StickListDlg.h"

#include "ConnectionLineEditor.h"
#include "MeasureDocument.h"
#include "StickFigureWindow.h"
#include "StickListLogic.h"
#include "ViewParts.h"
#include "ui_StickListDlg.h"

namespace {

int Number(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

double Real(const QLineEdit* edit) {
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    return ok ? value : 0;
}

} // namespace

StickListDlg::StickListDlg(StickListLogic& logic, ViewParts& view, QWidget* parent)
    : QDialog(parent), logic_(logic), view_(view), ui_(new Ui::StickListDlg) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui_->selectFrames, &QPushButton::clicked, this, [this] { logic_.SelectFrames(); });
    connect(ui_->view, &QPushButton::clicked, this, [this] { logic_.View(); });
    connect(ui_->editLines, &QPushButton::clicked, this,
            [this] { EditConnectionLines(view_, this); });
}

StickListDlg::~StickListDlg() {
    logic_.Destroyed();
}

void StickListDlg::ReadListFields(StickListFields* fields) {
    fields->xStep = ui_->xStep->value();
    fields->yStep = ui_->yStep->value();
    fields->magnification = Real(ui_->magnification);
    fields->whiteBackground = ui_->white->isChecked();
    fields->selectedFrames.clear();
    for (int row = 0; row < ui_->frames->count(); ++row)
        if (ui_->frames->item(row)->isSelected()) fields->selectedFrames.push_back(row);
    fields->start = Number(ui_->start);
    fields->end = Number(ui_->end);
    fields->interval = Number(ui_->interval);
}

void StickListDlg::WriteListFields(const StickListFields& fields) {
    ui_->xStep->setValue(fields.xStep);
    ui_->yStep->setValue(fields.yStep);
    ui_->magnification->setText(QString::number(fields.magnification));
    (fields.whiteBackground ? ui_->white : ui_->black)->setChecked(true);
    ui_->frames->clearSelection();
    for (int frame : fields.selectedFrames)
        if (QListWidgetItem* item = ui_->frames->item(frame)) item->setSelected(true);
    ui_->start->setText(QString::number(fields.start));
    ui_->end->setText(QString::number(fields.end));
    ui_->interval->setText(QString::number(fields.interval));
}

void StickListDlg::SetFrameEntries(const std::vector<std::string>& entries) {
    ui_->frames->clear();
    for (const std::string& entry : entries)
        ui_->frames->addItem(QString::fromStdString(entry));
}

void StickListDlg::EnableFigures(bool enable) {
    ui_->view->setEnabled(enable);
    ui_->editLines->setEnabled(enable);
}

StickFigureWindow* StickListDlg::FigureWindow() const {
    return figures_.data();
}

void StickListDlg::ShowFigures(const StickFigure& figure, const StickDrawing& drawing) {
    if (!figures_) figures_ = new StickFigureWindow(view_.measure.Prompter(), this);
    figures_->ShowFigures(figure, drawing);
}
