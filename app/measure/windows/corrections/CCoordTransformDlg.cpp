#include "CCoordTransformDlg.h"

#include "MeasureDocument.h"
#include "ui_CCoordTransformDlg.h"

CCoordTransformDlg::CCoordTransformDlg(Values& logic, MeasureDocument& document,
                                       CDisplayServer* display, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CCoordTransformDlg), logic_(logic), document_(document),
      display_(display) {
    ui_->setupUi(this);
    const auto items = CoordTransformLogic::TargetItems(document.Track().GetTargetCount());
    for (QComboBox* combo : {ui_->axisFirst, ui_->positionTarget, ui_->axisSecond}) {
        for (const std::string& item : items)
            combo->addItem(QString::fromStdString(item));
        combo->setCurrentIndex(0);
    }
    ui_->axisOn->setChecked(logic_.axisOn != 0);
    ui_->positionOn->setChecked(logic_.positionOn != 0);
    ui_->referenceFrame->setText(QString::number(logic_.referenceFrame));
    EnableControls();
    for (QCheckBox* box : {ui_->axisOn, ui_->positionOn})
        connect(box, &QCheckBox::clicked, this, [this] {
            ReadControls();
            EnableControls();
        });
    connect(ui_->ok, &QPushButton::clicked, this, &CCoordTransformDlg::Run);
    connect(ui_->cancel, &QPushButton::clicked, this, &CCoordTransformDlg::reject);
}

CCoordTransformDlg::~CCoordTransformDlg() = default;

void CCoordTransformDlg::ReadControls() {
    logic_.positionTarget = ui_->positionTarget->currentIndex();
    logic_.axisFirst = ui_->axisFirst->currentIndex();
    logic_.axisSecond = ui_->axisSecond->currentIndex();
    logic_.axisOn = ui_->axisOn->isChecked() ? 1 : 0;
    logic_.positionOn = ui_->positionOn->isChecked() ? 1 : 0;
    // Text that is no whole number is no frame: the logic refuses frame 0.
    bool number = false;
    const int frame = ui_->referenceFrame->text().trimmed().toInt(&number);
    logic_.referenceFrame = number ? frame : 0;
}

void CCoordTransformDlg::EnableControls() {
    ui_->positionTarget->setEnabled(logic_.positionOn != 0);
    ui_->axisFirst->setEnabled(logic_.axisOn != 0);
    ui_->axisSecond->setEnabled(logic_.axisOn != 0);
}

void CCoordTransformDlg::Run() {
    ReadControls();
    if (logic_.Run(document_, display_) == 1) accept();
}
