#include "CSledoCtrl.h"
#include "CSledoPropPage.h"
#include "SledoTestApp.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// An object whose property names differ in case from the control's.
class OtherCaseTarget : public QObject {
    Q_OBJECT
    Q_PROPERTY(int min MEMBER min)
    Q_PROPERTY(int MAX MEMBER max)
    Q_PROPERTY(bool reverse MEMBER reverse)
    Q_PROPERTY(uint barFColor MEMBER bar)

public:
    int min = 3;
    int max = 4;
    bool reverse = true;
    uint bar = 5;
};

class SledoPropPageTest : public kova::test::SledoGuiTest {
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
const char* const kChecks[] = {"Reverse", "Vertical", "Lock", "ButtonOn"};

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
    EXPECT_EQ(Text(page, "Min"), QStringLiteral("-5"));
    EXPECT_EQ(Text(page, "Max"), QStringLiteral("300"));
    EXPECT_EQ(Text(page, "Slider"), QStringLiteral("20"));
    EXPECT_EQ(Text(page, "Button"), QStringLiteral("30"));
    EXPECT_FALSE(Check(page, "Auto")->isChecked());
    EXPECT_FALSE(Check(page, "ButtonAuto")->isChecked());
    EXPECT_TRUE(Check(page, "Reverse")->isChecked());
    EXPECT_FALSE(Check(page, "Vertical")->isChecked());
    EXPECT_FALSE(Check(page, "Lock")->isChecked());
    EXPECT_FALSE(Check(page, "ButtonOn")->isChecked());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Text(page, kColors[i]), QString::number(i + 1)) << kColors[i];

    Edit(page, "Min")->setText(QStringLiteral("10"));
    Edit(page, "Max")->setText(QStringLiteral("90"));
    Edit(page, "Slider")->setText(QStringLiteral("1024"));
    Edit(page, "Button")->setText(QStringLiteral("9"));
    for (const char* name : kChecks)
        Check(page, name)->toggle();
    for (int i = 0; i < 7; ++i)
        Edit(page, kColors[i])->setText(QString::number(4294967295U - i));
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(c.Min(), 10);
    EXPECT_EQ(c.Max(), 90);
    EXPECT_EQ(c.Slider(), 1024);
    EXPECT_EQ(c.Button(), 9);
    EXPECT_FALSE(c.Reverse());
    EXPECT_TRUE(c.Vertical());
    EXPECT_TRUE(c.Lock());
    EXPECT_TRUE(c.ButtonOn());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(c.property(kColors[i]).toUInt(), 4294967295U - i) << kColors[i];

    Check(page, "Auto")->setChecked(true);
    Check(page, "ButtonAuto")->setChecked(true);
    page.accept();
    EXPECT_TRUE(c.Auto());
    EXPECT_TRUE(c.ButtonAuto());
    EXPECT_EQ(page.result(), QDialog::Accepted);
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
    EXPECT_EQ(c.BarFcolor(), 0x808080U);
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

TEST_F(SledoPropPageTest, BindsByNameWithoutRegardToCase) {
    OtherCaseTarget target;
    CSledoPropPage page(&target);
    EXPECT_EQ(Text(page, "Min"), QStringLiteral("3"));
    EXPECT_EQ(Text(page, "Max"), QStringLiteral("4"));
    EXPECT_TRUE(Check(page, "Reverse")->isChecked());
    EXPECT_EQ(Text(page, "BarFcolor"), QStringLiteral("5"));
    EXPECT_FALSE(Edit(page, "Slider")->isEnabled());
    EXPECT_FALSE(Check(page, "Lock")->isEnabled());
    Edit(page, "Min")->setText(QStringLiteral("-7"));
    Check(page, "Reverse")->setChecked(false);
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(target.min, -7);
    EXPECT_FALSE(target.reverse);
    EXPECT_EQ(target.max, 4);
}

TEST_F(SledoPropPageTest, PageIsTitledGeneralWithTheFieldLabels) {
    CSledoCtrl c;
    CSledoPropPage page(&c);
    EXPECT_EQ(page.windowTitle(), QStringLiteral("General"));
    EXPECT_STREQ(CSledoPropPage::ProgId(), "SLEDO.SledoPropPage.1");
    const std::pair<const char*, const char*> texts[] = {
        {"labelMin", "最小値"},
        {"labelMax", "最大値"},
        {"labelSlider", "ｽﾗｲﾀﾞｰ幅"},
        {"labelButton", "ボタン幅"},
        {"checkAuto", "縦横自動"},
        {"checkReverse", "ﾘﾊﾞｰｽ"},
        {"checkVertical", "垂直ｽﾗｲﾀﾞｰ"},
        {"checkLock", "他方ﾛｯｸ"},
        {"checkButtonOn", "微調整ﾎﾞﾀﾝ"},
        {"checkButtonAuto", "ﾎﾞﾀﾝ幅自動"},
        {"colorBtnFcolor", "ｽﾗｲﾀﾞｰ凸面"},
        {"colorBarFcolor", "ｽﾗｲﾀﾞｰ凹面"},
        {"colorBtnHcolor", "ｽﾗｲﾀﾞｰﾊｲﾗｲﾄ"},
        {"colorBtnScolor", "ｽﾗｲﾀﾞｰ陰"},
        {"colorFrmFcolor", "ﾚｰﾙ表面"},
        {"colorFrmHcolor", "ﾚｰﾙﾊｲﾗｲﾄ"},
        {"colorFrmScolor", "ﾚｰﾙ陰"},
    };
    for (const auto& [name, text] : texts) {
        const QWidget* w = page.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->property("text").toString(), QString::fromUtf8(text)) << name;
    }
}

} // namespace

#include "SledoPropPageTest.moc"
