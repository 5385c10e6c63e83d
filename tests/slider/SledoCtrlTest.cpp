#include "CSledoCtrl.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QSettings>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<long, long>>;

// The (low, high) pairs a spy recorded.
Pairs PairsOf(const QSignalSpy& spy) {
    Pairs pairs;
    for (const QList<QVariant>& args : spy)
        pairs.emplace_back(args.at(0).value<long>(), args.at(1).value<long>());
    return pairs;
}

using SledoCtrlTest = kova::test::QtTest;

// Every property by its name, in an order that lets each value stick.
const std::pair<const char*, QVariant> kProperties[] = {{"Min", -20},
                                                        {"Max", 300},
                                                        {"High", 40},
                                                        {"Low", 10},
                                                        {"Slider", 20},
                                                        {"Lock", true},
                                                        {"Reverse", true},
                                                        {"Auto", false},
                                                        {"Vertical", false},
                                                        {"ButtonOn", true},
                                                        {"ButtonAuto", false},
                                                        {"Button", 30},
                                                        {"BtnFcolor", 1U},
                                                        {"BtnHcolor", 2U},
                                                        {"BtnScolor", 3U},
                                                        {"FrmFcolor", 4U},
                                                        {"FrmHcolor", 5U},
                                                        {"FrmScolor", 6U},
                                                        {"BarFcolor", 0x80000010U}};

TEST_F(SledoCtrlTest, WidthsAtOrBelowTheirLimitsAreIgnored) {
    CSledoCtrl c;
    c.setAuto(false);
    c.setButtonAuto(false);
    c.setSlider(0);
    c.setButton(7);
    EXPECT_EQ(std::pair(c.Slider(), c.Button()), std::pair(12L, 16L));
    c.setSlider(1);
    c.setButton(8);
    EXPECT_EQ(std::pair(c.Slider(), c.Button()), std::pair(1L, 8L));
}

TEST_F(SledoCtrlTest, ThumbMovesReportChangeAndFixOnlyWhenAccepted) {
    CSledoCtrl c;
    QSignalSpy change(&c, &CSledoCtrl::Change);
    QSignalSpy fix(&c, &CSledoCtrl::Fix);
    c.setLow(60); // pushes High along
    c.setLow(0);  // refused: below Min
    c.setHigh(60);
    EXPECT_EQ(PairsOf(change), (Pairs{{60, 60}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{60, 60}}));

    c.setLock(true);
    c.setHigh(40); // stops at Low
    EXPECT_EQ(c.High(), 60);
    EXPECT_EQ(change.count(), 1);

    fix.clear();
    EXPECT_FALSE(c.SetBar(10, 5));
    EXPECT_TRUE(c.SetBar(10, 20));
    EXPECT_FALSE(c.SetBar(10, 20));
    EXPECT_EQ(PairsOf(fix), (Pairs{{10, 20}}));
}

TEST_F(SledoCtrlTest, RangeChangesReportOnlyWhenAThumbHadToMove) {
    CSledoCtrl c;
    c.SetBar(10, 60);
    QSignalSpy change(&c, &CSledoCtrl::Change);
    QSignalSpy fix(&c, &CSledoCtrl::Fix);
    EXPECT_FALSE(c.SetRange(50, 40));
    EXPECT_FALSE(c.SetRange(1, 100));
    EXPECT_TRUE(c.SetRange(5, 200)); // thumbs stay inside
    EXPECT_EQ(change.count(), 0);
    EXPECT_TRUE(c.SetRange(20, 50));
    c.setMax(30);
    EXPECT_EQ(PairsOf(change), (Pairs{{20, 50}, {20, 30}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{20, 50}, {20, 30}}));
}

TEST_F(SledoCtrlTest, AutoSwitchesChooseTheShapeAtOnce) {
    CSledoCtrl c;
    c.setAuto(false);
    c.setButtonAuto(false);
    c.resize(200, 20);
    c.setVertical(true);
    c.setAuto(true);
    EXPECT_FALSE(c.Vertical());
    c.setButtonAuto(true);
    EXPECT_EQ(c.Button(), 18); // thickness 20 minus 2
    c.resize(20, 200);
    c.grab();
    EXPECT_TRUE(c.Vertical());
    EXPECT_EQ(c.Button(), 19); // the drawing keeps thickness minus 1
}

TEST_F(SledoCtrlTest, PropertiesSurviveASettingsGroupByTheirNames) {
    kova::test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("sledo.ini"));
    CSledoCtrl c;
    for (const auto& [name, value] : kProperties)
        c.setProperty(name, value);
    {
        QSettings settings(path, QSettings::IniFormat);
        c.SaveProperties(settings, QStringLiteral("Segment/Sledo"));
    }
    EXPECT_FALSE(c.IsModified());
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Segment/Sledo"));
    QStringList keys = settings.childKeys();
    keys.sort();
    EXPECT_EQ(keys.join(QLatin1Char(' ')),
              QStringLiteral("AutoBtn AutoHv BarFaceColor BtnFaceColor BtnHilightColor "
                             "BtnShadowColor Button ButtonWidth FrmFaceColor FrmHilightColor "
                             "FrmShadowColor MaxRange MinRange OtherLock Reverse SliderWidth "
                             "Vertical"));
    EXPECT_EQ(settings.value(QStringLiteral("BarFaceColor")).toUInt(), 0x80000010U);
    settings.endGroup();

    CSledoCtrl loaded;
    loaded.LoadProperties(settings, QStringLiteral("Segment/Sledo"));
    EXPECT_EQ(loaded.StoredProperties(), c.StoredProperties());
    // Thumbs are not stored: held low = Min, high = (Min + Max) / 2,
    // reported mirrored.
    EXPECT_EQ(loaded.Low(), -20 + 300 - 140);
    EXPECT_EQ(loaded.High(), 300);
}

TEST_F(SledoCtrlTest, UnusableStoredValuesKeepTheirDefaults) {
    kova::test::TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("bad.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("S"));
    settings.setValue(QStringLiteral("MinRange"), 50);
    settings.setValue(QStringLiteral("MaxRange"), 10);
    settings.setValue(QStringLiteral("SliderWidth"), QStringLiteral("wide"));
    settings.setValue(QStringLiteral("ButtonWidth"), 7);
    settings.setValue(QStringLiteral("FrmFaceColor"), QStringLiteral("99999999999"));
    settings.setValue(QStringLiteral("Reverse"), QStringLiteral("maybe"));
    settings.setValue(QStringLiteral("OtherLock"), QStringLiteral("true"));
    settings.endGroup();
    CSledoCtrl c;
    c.LoadProperties(settings, QStringLiteral("S"));
    kova::SledoProperties expected;
    expected.otherLock = true;
    EXPECT_EQ(c.StoredProperties(), expected);
    EXPECT_EQ(c.Low(), 1);
    EXPECT_EQ(c.High(), 50);
}

} // namespace
