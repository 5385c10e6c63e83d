#include "CPixelValueWnd.h"

#include "PixelValueText.h"
#include "ui_CPixelValueWnd.h"

#include <QFontDatabase>
#include <QHeaderView>

namespace {

constexpr int kSide = 2 * PixelValueText::kRadius + 1;

} // namespace

CPixelValueWnd::CPixelValueWnd(kova::CFrameStore& store, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CPixelValueWnd), store_(store) {
    ui_->setupUi(this);
    setModal(false);
    ui_->values->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui_->values->setRowCount(kSide);
    ui_->values->setColumnCount(kSide);
    ui_->values->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui_->values->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui_->values->horizontalHeader()->hide();
    ui_->values->verticalHeader()->hide();
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            ui_->values->setItem(r, c, item);
        }
}

CPixelValueWnd::~CPixelValueWnd() = default;

void CPixelValueWnd::Pointing(int x, int y) {
    if (!isVisible()) return;
    ui_->position->setText(QString::fromStdString(PixelValueText::Position(x, y)));
    const std::vector<std::string> cells = PixelValueText::Grid(store_, x, y);
    for (int i = 0; i < kSide * kSide; ++i)
        ui_->values->item(i / kSide, i % kSide)
            ->setText(QString::fromStdString(cells[static_cast<std::size_t>(i)]));
}

QString CPixelValueWnd::CellText(int row, int column) const {
    const QTableWidgetItem* item = ui_->values->item(row, column);
    return item ? item->text() : QString();
}
