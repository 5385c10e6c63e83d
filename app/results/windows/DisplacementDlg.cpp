#include "DisplacementDlg.h"

#include "DisplacementWindowLogic.h"
#include "ui_DisplacementDlg.h"

DisplacementDlg::DisplacementDlg(DisplacementWindowLogic& logic, QWidget* parent)
    : AnalysisDialog(logic, parent), ui_(new Ui::DisplacementDlg) {
    ui_->setupUi(this);
    Bind(ItemNames<DisplacementAnalysis>(), {ui_->referenceTarget});
    const std::pair<QRadioButton*, ReferenceMode> modes[] = {
        {ui_->referenceFrameMode, ReferenceMode::Frame},
        {ui_->referencePositionMode, ReferenceMode::Position},
        {ui_->referenceTargetMode, ReferenceMode::Target}};
    for (const auto& [radio, mode] : modes)
        connect(radio, &QRadioButton::clicked, this,
                [&logic, mode = mode] { logic.SetReferenceMode(mode); });
}

DisplacementDlg::~DisplacementDlg() = default;

void DisplacementDlg::ReadReference(DisplacementFields* fields) {
    fields->reference = ui_->referencePositionMode->isChecked() ? ReferenceMode::Position
                        : ui_->referenceTargetMode->isChecked() ? ReferenceMode::Target
                                                                : ReferenceMode::Frame;
    fields->referenceFrame = AnalysisForm::Number(ui_->referenceFrame);
    fields->referenceTarget = ui_->referenceTarget->currentIndex();
}

void DisplacementDlg::WriteReference(const DisplacementFields& fields) {
    QRadioButton* const radios[] = {ui_->referenceFrameMode, ui_->referencePositionMode,
                                    ui_->referenceTargetMode};
    radios[static_cast<int>(fields.reference)]->setChecked(true);
    AnalysisForm::SetNumber(ui_->referenceFrame, fields.referenceFrame);
    ui_->referencePosition->setText(QString::fromStdString(fields.positionText));
    ui_->referenceTarget->setCurrentIndex(fields.referenceTarget);
}
