#include "CSledo.h"
#include "CSledoCtrl.h"
#include "QtTestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using SledoWrapperTest = kova::test::QtTest;

TEST_F(SledoWrapperTest, CreatedControlHandsOverFixWhenTheUserLetsGo) {
    QWidget dialog;
    CSledo sledo;
    CSledoCtrl* c = sledo.Create(&dialog, QRect(10, 20, 212, 20));
    ASSERT_NE(c, nullptr);
    c->setAuto(false);
    c->setVertical(false);
    dialog.show();
    QSignalSpy fix(&sledo, &CSledo::Fix);
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(7, 10));
    QTest::mouseMove(c, QPoint(54, 10));
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(54, 10));
    ASSERT_EQ(fix.count(), 1);
    EXPECT_EQ(fix.at(0).at(0).value<long>(), 26);
}

TEST_F(SledoWrapperTest, ColoursAreGivenAsQColor) {
    CSledo sledo;
    CSledoCtrl c;
    sledo.Attach(&c);
    sledo.SetBarFcolor(QColor(10, 20, 30));
    EXPECT_EQ(c.BarFcolor(), 0x1E140AU);
    EXPECT_EQ(sledo.GetBarFcolor(), QColor(10, 20, 30));
    c.setFrmScolor(0x80000010U); // 16, the button shadow
    EXPECT_EQ(sledo.GetFrmScolor(), c.palette().color(QPalette::Dark));
}

} // namespace
