#include "CFrameStore.h"
#include "CPointDlg.h"
#include "QtTestApp.h"

#include <QLabel>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

TEST(PointDlgTest, ValuesAroundThePointerInGreyAndColourDisplay) {
    kova::CFrameStore store;
    store.Put_framesize(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            store.Write_pixel(1, x, y, 10 * y + x);
    store.Disp_frame(1);
    EXPECT_EQ(CPointDlg::CellTexts(store, 0, 1, 1),
              (std::vector<std::string>{"", "0", "1", "", "10", "11", "", "20", "21"}));
    store.Write_pixel_color(1, 1, 1, 5, 6, 7);
    store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    store.Disp_frame_color(1);
    EXPECT_EQ(CPointDlg::CellTexts(store, 1, 1, 0), (std::vector<std::string>{"5,6,7"}));
}

TEST(PointDlgTest, WindowShowsTheCells) {
    kova::test::QtTestApp();
    kova::CFrameStore store;
    store.Put_framesize(8, 8);
    store.Write_pixel(1, 4, 4, 99);
    store.Disp_frame(1);
    CPointDlg dialog(store);
    dialog.show();
    dialog.Pointing(4, 4);
    auto* table = dialog.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->item(2, 2)->text(), QStringLiteral("99"));
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.findChild<QLabel*>()->text().toStdString(), CPointDlg::PositionText(4, 4));
}

} // namespace
