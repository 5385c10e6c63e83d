#include "CSledoCtrl.h"
#include "CSledoPropPage.h"
#include "QtTestApp.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

namespace {

class SledoPropPageTest : public kova::test::QtTest {
protected:
    static QLineEdit* Edit(CSledoPropPage& page, const char* name) {
        return page.findChild<QLineEdit*>(QStringLiteral("edit") + QString::fromLatin1(name));
    }
    static QCheckBox* Check(CSledoPropPage& page, const char* name) {
        return page.findChild<QCheckBox*>(QStringLiteral("check") + QString::fromLatin1(name));
    }
    static QString Text(CSledoPropPage& page, const char* name) { return Edit(page, name)->text(); }
    static bool OkEnabled(CSledoPropPage& page) {
        return page.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
    }
};

const char* const kColors[] = {"BtnFcolor", "BtnHcolor", "BtnScolor", "FrmFcolor",
                               "FrmHcolor", "FrmScolor", "BarFcolor"};

TEST_F(SledoPropPageTest, ShowsAndWritesBackEveryProperty) {
    CSledoCtrl c;
    c.setAuto(false);
    c.setButtonAuto(false);
    c.SetRange(-5, 300);
    c.setSlider(20);
    c.setButton(30);
    c.setReverse(true);
    c.setVertical(false);
    for (int i = 0; i < 7; ++i)
        c.setProperty(kColors[i], static_cast<uint>(i + 1));
    CSledoPropPage page(&c);
    // Field, shown text, typed text.
    const std::tuple<const char*, const char*, const char*> edits[] = {
        {"Min", "-5", "10"}, {"Max", "300", "90"}, {"Slider", "20", "1024"}, {"Button", "30", "9"}};
    for (const auto& [name, shown, typed] : edits) {
        EXPECT_EQ(Text(page, name), QString::fromLatin1(shown)) << name;
        Edit(page, name)->setText(QString::fromLatin1(typed));
    }
    const std::pair<const char*, bool> checks[] = {
        {"Reverse", true}, {"Vertical", false}, {"Lock", false}, {"ButtonOn", false}};
    for (const auto& [name, on] : checks) {
        EXPECT_EQ(Check(page, name)->isChecked(), on) << name;
        Check(page, name)->toggle();
    }
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Text(page, kColors[i]), QString::number(i + 1)) << kColors[i];
        Edit(page, kColors[i])->setText(QString::number(4294967295U - i));
    }
    ASSERT_TRUE(page.Apply());
    for (const auto& [name, shown, typed] : edits)
        EXPECT_EQ(c.property(name).toString(), QString::fromLatin1(typed)) << name;
    for (const auto& [name, on] : checks)
        EXPECT_EQ(c.property(name).toBool(), !on) << name;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(c.property(kColors[i]).toUInt(), 4294967295U - i) << kColors[i];

    Check(page, "Auto")->setChecked(true);
    Check(page, "ButtonAuto")->setChecked(true);
    page.accept();
    EXPECT_TRUE(c.Auto() && c.ButtonAuto());
}

TEST_F(SledoPropPageTest, RefusesValuesOutsideTheirRanges) {
    CSledoCtrl c;
    CSledoPropPage page(&c);
    for (const char* bad : {"0", "1025", ""}) {
        Edit(page, "Slider")->setText(QString::fromLatin1(bad));
        EXPECT_FALSE(OkEnabled(page)) << bad;
        EXPECT_FALSE(page.Apply());
    }
    Edit(page, "Slider")->setText(QStringLiteral("1"));
    EXPECT_TRUE(OkEnabled(page));
    Edit(page, "BarFcolor")->setText(QStringLiteral("4294967296"));
    EXPECT_FALSE(OkEnabled(page));
    page.reject();
    EXPECT_EQ(c.Slider(), 12);
}

TEST_F(SledoPropPageTest, ColourButtonsWriteTheChosenColourInDecimal) {
    CSledoCtrl c;
    CSledoPropPage page(&c);
    QColor initial;
    std::optional<QColor> answer = QColor(10, 20, 30);
    page.SetColorChooser([&](const QColor& current) {
        initial = current;
        return answer;
    });
    page.findChild<QPushButton*>(QStringLiteral("colorBarFcolor"))->click();
    EXPECT_EQ(initial, QColor(128, 128, 128));
    EXPECT_EQ(Text(page, "BarFcolor"), QStringLiteral("1971210")); // 30 << 16 | 20 << 8 | 10
    answer.reset();
    page.findChild<QPushButton*>(QStringLiteral("colorFrmScolor"))->click();
    EXPECT_EQ(Text(page, "FrmScolor"), QStringLiteral("0"));
    EXPECT_EQ(c.BarFcolor(), 0x808080U); // written on Apply only
}

} // namespace
