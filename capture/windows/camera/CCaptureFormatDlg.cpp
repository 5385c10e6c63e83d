#include "CCaptureFormatDlg.h"

#include "PcCameraLogic.h"
#include "ui_CCaptureFormatDlg.h"

CCaptureFormatDlg::CCaptureFormatDlg(std::vector<kova::CaptureFormat> formats, int current,
                                     QWidget* parent)
    : QDialog(parent), ui_(new Ui::CCaptureFormatDlg), formats_(std::move(formats)) {
    ui_->setupUi(this);
    for (const kova::CaptureFormat& format : formats_)
        ui_->formats->addItem(QString::fromStdString(PcCameraLogic::FormatText(format)));
    ui_->formats->setCurrentRow(current);
    connect(ui_->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->formats, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

CCaptureFormatDlg::~CCaptureFormatDlg() = default;

std::optional<kova::CaptureFormat> CCaptureFormatDlg::Chosen() const {
    const int row = ui_->formats->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(formats_.size()))
        return std::nullopt;
    return formats_[static_cast<std::size_t>(row)];
}
