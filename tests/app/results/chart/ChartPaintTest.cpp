#include "ChartExport.h"
#include "ChartLayout.h"
#include "ChartSet.h"
#include "ChartStyle.h"
#include "ChartViewState.h"
#include "PanelPainter.h"
#include "QtTestApp.h"
#include "TestFiles.h"
#include "TimeAxis.h"

#include <QFontMetrics>
#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

using kova::test::QtTest;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Five frames 0.1 apart, fixed range -1..1: a blue line at 0.3 and a red line
// at -0.7 broken at the middle frame, an event at frame 1 and the image
// window at frame 3.
ChartSet TinyCharts() {
    ChartSet charts;
    charts.times = {0, 0.1, 0.2, 0.3, 0.4};
    charts.events = {1, 7};
    ChartPanel panel;
    panel.series.push_back({{0.3, 0.3, 0.3, 0.3, 0.3}, {true, true, true, true, true}, 2, 0});
    panel.series.push_back({{-0.7, -0.7, -0.7, -0.7, -0.7}, {true, true, false, true, true}, 0, 0});
    charts.panels.push_back(panel);
    return charts;
}

class ChartPaintTest : public QtTest {
protected:
    ChartPaintTest() {
        state_.Reset(1);
        state_.fixedRanges[0] = ValueRange{-1, 1};
        state_.currentFrame = 3;
    }

    // The plot area the panel's labels leave, found the way the painter
    // finds it.
    QRect Plot() const {
        const QRect panel(QPoint(0, 0), size_);
        const PlotMargins margins = PanelMargins(charts_.panels[0], {-1, 1}, TimeAxis(charts_),
                                                 size_.height(), QFontMetrics(ChartFont()));
        return PlotArea(panel, margins);
    }
    int X(double fraction) const {
        return static_cast<int>(std::lround(Plot().left() + fraction * (Plot().width() - 1)));
    }
    int Y(double value) const {
        const double fraction = (value + 1) / 2;
        return static_cast<int>(std::lround(Plot().bottom() - fraction * (Plot().height() - 1)));
    }
    // Whether column x holds `colour` within a pixel of row y.
    static bool Near(const QImage& image, int x, int y, QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (image.pixel(x, y + dy) == colour) return true;
        }
        return false;
    }

    // The most pixels of `colour` between the values 0.9 and 0.4 in a column
    // within a pixel of x.
    int Column(const QImage& image, int x, QRgb colour) const {
        int most = 0;
        for (int column = x - 1; column <= x + 1; ++column) {
            int count = 0;
            for (int y = Y(0.9); y < Y(0.4); ++y)
                count += image.pixel(column, y) == colour;
            most = std::max(most, count);
        }
        return most;
    }

    ChartSet charts_ = TinyCharts();
    ChartViewState state_;
    QSize size_{240, 180};
};

TEST_F(ChartPaintTest, DrawsSeriesZeroLineEventsAndCurrentFrame) {
    const QImage image = ChartImage(size_, charts_, state_);
    ASSERT_EQ(image.size(), size_);
    EXPECT_TRUE(Near(image, X(0.125), Y(0.3), kBlue));
    EXPECT_TRUE(Near(image, X(0.125), Y(-0.7), kRed));
    EXPECT_FALSE(Near(image, X(0.5), Y(-0.7), kRed)) << "undefined value breaks the line";
    EXPECT_TRUE(Near(image, X(0.375), Y(0), kGrey)) << "zero line";
    const int rows = Y(0.4) - Y(0.9);
    EXPECT_EQ(Column(image, X(0.75), kBlack), rows) << "solid current-frame line";
    EXPECT_GT(Column(image, X(0.25), kGrey), 3) << "dotted event line";
    EXPECT_LT(Column(image, X(0.25), kGrey), rows) << "dotted event line";
    EXPECT_EQ(image.pixel(0, size_.height() / 2), kWhite) << "no selection mark in a copy";
}

TEST_F(ChartPaintTest, ExtremeValuesAndTimesDrawWithoutFault) {
    ChartSet charts = TinyCharts();
    charts.times = {0, 1e-300, 1e300, 1e300, 2e300};
    charts.panels[0].series[0].values = {-1.7e308, 1.7e308, 5e-324, -5e-324, 0};
    EXPECT_FALSE(ChartImage({60, 40}, charts, {}).isNull());
    charts.panels.resize(500, charts.panels[0]);
    EXPECT_FALSE(ChartImage({60, 40}, charts, {}).isNull());
}

TEST_F(ChartPaintTest, ExportsOpenInTheirFormatsAndFailuresKeepTheOldFile) {
    kova::test::TempDir dir;
    ASSERT_TRUE(ExportCharts(dir.File("c.png"), ChartFormatOf(dir.File("c.png")), {300, 200},
                             charts_, state_));
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("c.png"))).size(), QSize(300, 200));
    ASSERT_TRUE(ExportCharts(dir.File("c.svg"), ChartFormat::Svg, {300, 200}, charts_, state_));
    QXmlStreamReader svg(QByteArray::fromStdString(kova::test::ReadBytes(dir.File("c.svg"))));
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    ASSERT_TRUE(ExportCharts(dir.File("c.pdf"), ChartFormat::Pdf, {300, 200}, charts_, state_));
    EXPECT_EQ(kova::test::ReadBytes(dir.File("c.pdf")).substr(0, 4), "%PDF");

    kova::test::WriteBytes(dir.File("old.png"), "old");
    EXPECT_FALSE(ExportCharts(dir.File("old.png"), ChartFormat::Png, {16385, 10}, charts_, state_));
    EXPECT_EQ(kova::test::ReadBytes(dir.File("old.png")), "old");
    EXPECT_FALSE(ExportCharts(dir.File("none/c.png"), ChartFormat::Png, {30, 20}, charts_, state_));
    EXPECT_TRUE(ChartImage({16385, 10}, charts_, state_).isNull());
}

} // namespace
