#include "CEventDlg.h"

#include "EventsLogic.h"
#include "ui_CEventDlg.h"

CEventDlg::CEventDlg(EventsLogic& logic, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CEventDlg), logic_(logic) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui_->setReference, &QPushButton::clicked, this, [this] { logic_.SetReferenceFrame(); });
    connect(ui_->addEvent, &QPushButton::clicked, this, [this] { logic_.AddEventFrame(); });
    connect(ui_->deleteEvent, &QPushButton::clicked, this, [this] { logic_.DeleteEventFrame(); });
    connect(ui_->events, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) logic_.Select(row);
    });
    logic_.Opened(this);
}

CEventDlg::~CEventDlg() {
    logic_.Destroyed();
}

void CEventDlg::ShowEvents(const EventsFields& fields) {
    filling_ = true;
    ui_->reference->setText(QString::fromStdString(fields.reference));
    ui_->events->clear();
    for (const std::string& line : fields.lines)
        ui_->events->addItem(QString::fromStdString(line));
    ui_->events->setCurrentRow(fields.selected);
    filling_ = false;
}
