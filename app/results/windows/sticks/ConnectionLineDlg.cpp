#include "ConnectionLineDlg.h"

#include "ConnectionLineEditorLogic.h"
#include "ConnectionLineList.h"
#include "ui_ConnectionLineDlg.h"

#include <QSignalBlocker>

ConnectionLineDlg::ConnectionLineDlg(ConnectionLineEditorLogic& logic, QWidget* parent)
    : QDialog(parent), logic_(logic), ui_(new Ui::ConnectionLineDlg) {
    ui_->setupUi(this);
    for (int colour = 0; colour < ConnectionLineList::kColourCount; ++colour)
        ui_->colour->addItem(QString::fromUtf8(ConnectionLineList::ColourName(colour)));
    connect(ui_->add, &QPushButton::clicked, this, [this] { logic_.AddLine(); });
    connect(ui_->remove, &QPushButton::clicked, this, [this] { logic_.DeleteLine(); });
    connect(ui_->removeAll, &QPushButton::clicked, this, [this] { logic_.DeleteAllLines(); });
    connect(ui_->lines, &QListWidget::currentRowChanged, this,
            [this](int row) { logic_.SelectLine(row); });
    connect(ui_->confirm, &QPushButton::clicked, this, &ConnectionLineDlg::Confirm);
    connect(ui_->cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ConnectionLineDlg::~ConnectionLineDlg() = default;

void ConnectionLineDlg::Confirm() {
    done(logic_.Confirm() ? Accepted : Rejected);
}

void ConnectionLineDlg::ReadLineFields(ConnectionLineFields* fields) {
    fields->first = ui_->first->currentIndex();
    fields->second = ui_->second->currentIndex();
    fields->colour = ui_->colour->currentIndex();
    fields->selectedLine = ui_->lines->currentRow();
}

void ConnectionLineDlg::WriteLineFields(const ConnectionLineFields& fields) {
    ui_->first->setCurrentIndex(fields.first);
    ui_->second->setCurrentIndex(fields.second);
    ui_->colour->setCurrentIndex(fields.colour);
    const QSignalBlocker quiet(ui_->lines); // the logic chose the selection
    ui_->lines->setCurrentRow(fields.selectedLine);
}

void ConnectionLineDlg::SetTargetEntries(const std::vector<std::string>& entries) {
    for (QComboBox* selector : {ui_->first, ui_->second}) {
        selector->clear();
        for (const std::string& entry : entries)
            selector->addItem(QString::fromStdString(entry));
        selector->setCurrentIndex(-1);
    }
}

void ConnectionLineDlg::SetLineEntries(const std::vector<std::string>& entries) {
    const QSignalBlocker quiet(ui_->lines);
    ui_->lines->clear();
    for (const std::string& entry : entries)
        ui_->lines->addItem(QString::fromStdString(entry));
}
