#include "CPointDlg.h"

#include "CFrameStore.h"
#include "ui_CPointDlg.h"

#include <QHeaderView>

CPointDlg::CPointDlg(kova::CFrameStore& store, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CPointDlg), store_(store) {
    ui_->setupUi(this);
    setModal(false);
    const int side = 2 * kRadius + 1;
    ui_->values->setRowCount(side);
    ui_->values->setColumnCount(side);
    ui_->values->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui_->values->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            ui_->values->setItem(r, c, item);
        }
}

CPointDlg::~CPointDlg() = default;

std::string CPointDlg::PositionText(int x, int y) {
    return "X: " + std::to_string(x) + "  Y: " + std::to_string(y);
}

std::vector<std::string> CPointDlg::CellTexts(const kova::CFrameStore& store, int x, int y,
                                              int radius) {
    std::vector<std::string> texts;
    const bool color = store.Get_dispmode() == kova::CFrameStore::kColorDispMode;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px < 0 || py < 0 || px >= store.Width() || py >= store.Height()) {
                texts.emplace_back();
                continue;
            }
            if (!color) {
                const int v = store.Read_pixel(store.Get_dispframe(), px, py);
                texts.push_back(v < 0 ? std::string() : std::to_string(v));
                continue;
            }
            int r = 0, g = 0, b = 0;
            if (store.Read_pixel_color(store.Get_dispframe_color(), px, py, r, g, b) < 0)
                texts.emplace_back();
            else
                texts.push_back(std::to_string(r) + "," + std::to_string(g) + "," +
                                std::to_string(b));
        }
    return texts;
}

void CPointDlg::Pointing(int x, int y) {
    if (!isVisible()) return;
    ui_->position->setText(QString::fromStdString(PositionText(x, y)));
    const std::vector<std::string> texts = CellTexts(store_, x, y, kRadius);
    const int side = 2 * kRadius + 1;
    for (int i = 0; i < side * side; ++i)
        ui_->values->item(i / side, i % side)
            ->setText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
}
