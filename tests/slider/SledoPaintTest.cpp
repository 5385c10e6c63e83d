#include "CSledoCtrl.h"
#include "QtTestApp.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace {

// Colour references (0x00BBGGRR) of the test and the letters that stand for
// them in a pixel profile: frame face/highlight/shadow F H S, thumb and button
// face/highlight/shadow b h s, bar B.
const std::map<QRgb, char> kLetters = {
    {qRgb(255, 0, 0), 'F'},     {qRgb(255, 255, 255), 'H'}, {qRgb(0, 0, 0), 'S'},
    {qRgb(0, 255, 0), 'b'},     {qRgb(255, 255, 0), 'h'},   {qRgb(0, 0, 255), 's'},
    {qRgb(128, 128, 128), 'B'},
};

// Expands runs written as letter and count, "H1 b10" -> "Hbbbbbbbbbb".
std::string Runs(const std::string& runs) {
    std::istringstream in(runs);
    std::string s;
    for (std::string run; in >> run;)
        s.append(std::stoul(run.substr(1)), run[0]);
    return s;
}

class SledoPaintTest : public kova::test::QtTest {
protected:
    SledoPaintTest() {
        c.setAuto(false);
        c.setButtonAuto(false);
        c.setFrmFcolor(0x0000FF);
        c.setFrmHcolor(0xFFFFFF);
        c.setFrmScolor(0x000000);
        c.setBtnFcolor(0x00FF00);
        c.setBtnHcolor(0x00FFFF);
        c.setBtnScolor(0xFF0000);
        c.setBarFcolor(0x808080);
    }

    void Shape(bool vertical, int length) {
        c.setVertical(vertical);
        c.resize(vertical ? QSize(20, length) : QSize(length, 20));
    }

    // The letters of the pixels along the rail at the given distance across.
    std::string Along(int across) {
        const QImage image = c.grab().toImage();
        std::string s;
        const int length = c.Vertical() ? image.height() : image.width();
        for (int t = 0; t < length; ++t)
            s += Letter(c.Vertical() ? image.pixel(across, t) : image.pixel(t, across));
        return s;
    }
    // The letters across the rail at the given rail position.
    std::string Across(int along) {
        const QImage image = c.grab().toImage();
        std::string s;
        for (int t = 0; t < 20; ++t)
            s += Letter(c.Vertical() ? image.pixel(t, along) : image.pixel(along, t));
        return s;
    }
    static char Letter(QRgb rgb) {
        const auto it = kLetters.find(rgb | 0xFF000000U);
        return it == kLetters.end() ? '?' : it->second;
    }

    CSledoCtrl c;
};

// 200 pixels, slider 12: the track starts at 13 and is 174 long. Low 1 ends
// at 13; high 50 begins at 13 + 49 * 174 / 99 = 99.
const std::string kDefault200 = Runs("H1 h1 b10 s1 B86 h1 b10 s1 F88 S1");

TEST_F(SledoPaintTest, ThumbsAndBarSitAtTheTrackPositionsEitherWay) {
    Shape(false, 200);
    EXPECT_EQ(Along(10), kDefault200);
    EXPECT_EQ(Across(50), Runs("H1 B18 S1"));
    Shape(true, 200); // runs from top to bottom
    EXPECT_EQ(Along(10), kDefault200);
    EXPECT_EQ(Across(104), Runs("H1 h1 b16 s1 S1"));
}

TEST_F(SledoPaintTest, ReversedControlsDrawTheHeldValues) {
    // External 10/20 are held as 81/91: positions 13 + 80 * 174 / 99 = 153
    // and 13 + 90 * 174 / 99 = 171.
    Shape(false, 200);
    c.setReverse(true);
    c.SetBar(10, 20);
    EXPECT_EQ(Along(10), Runs("H1 F140 h1 b10 s1 B18 h1 b10 s1 F16 S1"));
}

// Buttons of 16 at both ends: the track starts at 12 + 32 + 1 = 45 and is 110
// long. A row near the top misses the arrows.
TEST_F(SledoPaintTest, ButtonsTakeTwoWidthsAtEachEnd) {
    Shape(false, 200);
    c.setButtonOn(true);
    const std::string button = Runs("h1 b14 s1");
    const std::string thumb = Runs("h1 b10 s1");
    // High 50 begins at 45 + 49 * 110 / 99 = 99.
    EXPECT_EQ(Along(2), "H" + button + button + thumb + Runs("B54") + thumb + Runs("F56") + button +
                            button + "S");

    // A held button is drawn sunken (high +1 at Max moves nothing).
    c.SetBar(1, 100);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(190, 10));
    const std::string sunken = Runs("s1 b14 h1");
    EXPECT_EQ(Along(2),
              "H" + button + button + thumb + Runs("B110") + thumb + button + sunken + "S");
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(190, 10));
    EXPECT_EQ(Along(2).substr(183, 16), button);
}

TEST_F(SledoPaintTest, OneValueRangeAndOversizedThumbsStillDraw) {
    Shape(false, 200);
    c.SetRange(5, 5);
    EXPECT_EQ(Along(10).substr(0, 26), "H" + Runs("h1 b10 s1") + Runs("h1 b10 s1") + "F");
    c.resize(4, 3);
    c.setSlider(1000000);
    c.setButtonOn(true);
    c.setButton(2000000000);
    EXPECT_EQ(c.grab().size(), QSize(4, 3));
}

} // namespace
