// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "widgets/chartctrl.h"
#include "widgets/chartgeometry.h"
#include "widgets/sleepchartctrl.h"

#include <QImage>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QSize MonthSize(660, 170);
const QColor Background(0, 0, 64);
const QColor Axis(192, 192, 255);

QStringList Texts(const ChartGeometry& geometry)
{
    QStringList texts;
    for (const AxisLabel& label : geometry.xLabels) {
        texts.append(label.text);
    }
    return texts;
}

// "a b c" as {"a", "b", "c"}.
QStringList Words(const char* words)
{
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// --- Geometry -----------------------------------------------------------------------------------

TEST(ChartGeometryTest, MarginsMakeRoomForTheWidestNumbers)
{
    ChartAxes axes;
    axes.yMaximum = 100.0;
    axes.yDecimals = 0;
    ChartGeometry chart = ComputeChartGeometry(MonthSize, axes);
    // Three digits + four: six character widths on the left, eight on the right.
    EXPECT_EQ(chart.plotLeft, 36);
    EXPECT_EQ(chart.plotRight, 660 - 48);
    EXPECT_EQ(chart.plotTop, 10);
    EXPECT_EQ(chart.plotBottom, 170 - 25);

    axes.yMaximum = 100000.0;
    chart = ComputeChartGeometry(MonthSize, axes);
    EXPECT_EQ(chart.plotLeft, 6 * 9);
    EXPECT_EQ(chart.plotRight, 660 - 8 * 9);

    // Small numbers count their leading zeros, and the decimals widen the margins as well.
    axes.yMinimum = -0.001;
    axes.yMaximum = 0.0;
    axes.yDecimals = 3;
    EXPECT_EQ(ComputeChartGeometry(MonthSize, axes).plotLeft, 6 * 10);

    axes = ChartAxes{};
    const ChartGeometry sleep = ComputeSleepChartGeometry({660, 300}, axes);
    EXPECT_EQ(sleep.plotLeft, 4 * 9);
    EXPECT_EQ(sleep.plotRight, 660 - 9);
    EXPECT_EQ(sleep.plotTop, 70);
    EXPECT_EQ(sleep.plotBottom, 300 - 35);
}

TEST(ChartGeometryTest, NumericLabelsStepByATenthOfTheRange)
{
    ChartAxes axes;
    axes.yDecimals = 0;
    axes.xMinimum = -240.0;
    axes.xMaximum = 0.0;
    const ChartGeometry hours = ComputeChartGeometry(MonthSize, axes);
    QStringList expected;
    for (int u = -240; u <= 0; u += 24) {
        expected.append(QString::number(u));
    }
    EXPECT_EQ(Texts(hours), expected);
    EXPECT_EQ(hours.xLabels.front().x, hours.plotLeft);
    EXPECT_EQ(hours.xLabels.back().x, hours.plotRight);

    axes.xMinimum = 1.0;
    axes.xMaximum = 31.99;
    EXPECT_EQ(Texts(ComputeChartGeometry(MonthSize, axes)), Words("1 4 7 10 13 16 19 22 25 28 31"));
}

TEST(ChartGeometryTest, WeekdayModeNamesTheSevenDaysWhateverTheRange)
{
    resetAppState();
    ChartAxes axes;
    axes.xMinimum = -0.5;
    axes.xMaximum = 100.0;
    axes.xLabelMode = 1;
    const ChartGeometry week = ComputeChartGeometry(MonthSize, axes);
    EXPECT_EQ(Texts(week), Words("Sun Mon Tue Wed Thu Fri Sat"));
    EXPECT_EQ(week.xLabels[0].x, week.LabelColumn(0.0));
    EXPECT_EQ(week.xLabels[6].x, week.LabelColumn(6.0));
}

TEST(ChartGeometryTest, SleepHoursWrapAtMidnightAndThinOutBeyondADay)
{
    ChartAxes axes;
    axes.xMinimum = 20.0;
    axes.xMaximum = 33.0;
    EXPECT_EQ(Texts(ComputeSleepChartGeometry({660, 300}, axes)),
              Words("20 21 22 23 0 1 2 3 4 5 6 7 8 9"));

    axes.xMinimum = 0.0;
    axes.xMaximum = 48.0;
    QStringList everySecond;
    for (int h = 0; h <= 48; h += 2) {
        everySecond.append(QString::number(h % 24));
    }
    EXPECT_EQ(Texts(ComputeSleepChartGeometry({660, 300}, axes)), everySecond);
}

// --- Step chart ---------------------------------------------------------------------------------

// A month-sized chart in the report's colours, 0..100 over 0..24.
class ChartCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.resize(MonthSize);
        chart.SetBackgroundColor(Background);
        chart.SetAxisColor(Axis);
        chart.SetYRanges(0.0, 100.0, 0.0, 10.0, 0);
        chart.SetXRange(0.0, 24.0, 0);
        chart.SetLineColor(Stroke, false);
    }

    // Pixels of the picture in the given colour inside the plot.
    int CountInPlot(const QColor& color) const
    {
        const QImage picture = chart.Picture();
        const ChartGeometry g = chart.Geometry();
        int count = 0;
        for (int y = g.plotTop + 1; y <= g.plotBottom; ++y) {
            for (int x = g.plotLeft + 1; x <= g.plotRight; ++x) {
                count += At(picture, x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    const QColor Stroke{200, 50, 50};
    CChartCtrl chart;
};

TEST_F(ChartCtrlTest, StrokeOverTheGridShowsTheOrOfBothLayers)
{
    const ChartGeometry g = chart.Geometry();
    const int middleRow = (g.plotTop + g.plotBottom) / 2;
    ASSERT_EQ(g.ToPixel(0.0, 50.5).y(), middleRow);
    chart.AddStroke(0.0, 50.5, 24.0, 50.5);
    const QImage picture = chart.Picture();

    const int dot = g.plotLeft + 8;
    EXPECT_EQ(At(picture, dot, middleRow), QColor(200 | 192, 50 | 192, 50 | 255));
    EXPECT_EQ(At(picture, dot + 1, middleRow), QColor(200, 50, 50 | 64));
    EXPECT_EQ(At(picture, dot, middleRow + 1), Background);
    const int quarterRow = middleRow - g.PlotHeight() / 4;
    EXPECT_EQ(At(picture, dot, quarterRow), Axis);
    EXPECT_EQ(At(picture, dot + 1, quarterRow), Background);

    // What the widget paints is that same picture.
    EXPECT_EQ(chart.grab().toImage().convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(ChartCtrlTest, StrokesLandOnTruncatedPixelsAndAreNotClipped)
{
    // The plot is 576 x 135 pixels from (36, 10): 24 pixels an hour, 1.35 pixels a unit.
    const QColor onBackground(200, 50, 50 | 64);
    // 10.9 units are 14.715 pixels: the line ends 14 pixels above the bottom row, not 15.
    chart.AddStroke(12.0, 0.0, 12.0, 10.9);
    EXPECT_EQ(At(chart.Picture(), 36 + 288, 145 - 14), onBackground);
    EXPECT_EQ(At(chart.Picture(), 36 + 288, 145 - 15), Background);

    // 104 units reach 140 pixels up, row 5: through the frame into the margin above.
    chart.AddStroke(2.0, 90.0, 2.0, 104.0);
    EXPECT_EQ(At(chart.Picture(), 36 + 48, 5), onBackground);
}

TEST_F(ChartCtrlTest, SettersEraseStrokesWhileResizingRedrawsThem)
{
    const QColor onBackground(200, 50, 50 | 64);
    chart.AddStroke(0.0, 20.0, 24.0, 80.0);
    const int drawn = CountInPlot(onBackground);
    ASSERT_GT(drawn, 100);

    // A wider chart draws the same line again, longer.
    chart.resize(900, 170);
    EXPECT_GT(CountInPlot(onBackground), drawn);

    chart.SetXTitle(QStringLiteral("Day"));
    EXPECT_EQ(CountInPlot(onBackground), 0);
    EXPECT_TRUE(chart.accessibleDescription().contains(QStringLiteral("Day: 0 \u2013 24")));

    // Without redraw the line colour leaves the strokes; with it they go.
    chart.AddStroke(0.0, 20.0, 24.0, 80.0);
    chart.SetLineColor(QColor(0, 255, 0), false);
    EXPECT_GT(CountInPlot(onBackground), 100);
    chart.SetLineColor(QColor(0, 255, 0), true);
    EXPECT_EQ(CountInPlot(onBackground), 0);
}

// --- Sleep chart --------------------------------------------------------------------------------

class SleepChartCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.resize(660, 300);
        chart.SetBackgroundColor(Background);
        chart.SetYRange(0.0, 800.0, 0);
        chart.SetXRange(0.0, 24.0);
    }

    // The bar of the minute ending at xHours, read at the bottom row and at its top.
    struct Bar
    {
        QColor base;
        QColor top;
    };
    Bar AddBar(double xHours, double depth)
    {
        chart.AddMinute(xHours, depth);
        const ChartGeometry g = chart.Geometry();
        const int column = g.MinuteColumns(xHours).second;
        const QImage picture = chart.Picture();
        return {At(picture, column, g.plotBottom - 1),
                At(picture, column, g.ToPixel(xHours, depth).y())};
    }

    CSleepChartCtrl chart;
};

TEST_F(SleepChartCtrlTest, DepthClassesChangeColourAt150And500)
{
    const QColor low(100, 150, 250);
    const QColor middle(120, 250, 120);
    const QColor high(255, 160, 80);
    const QColor white(255, 255, 255);
    const Bar bars[] = {AddBar(2.0, 149.0), AddBar(4.0, 150.0), AddBar(6.0, 499.0),
                        AddBar(8.0, 500.0)};
    // The background's blue bit is set in every class colour, so the OR leaves them unchanged.
    EXPECT_EQ(bars[0].base, low);
    EXPECT_EQ(bars[1].base, middle);
    EXPECT_EQ(bars[2].base, middle);
    EXPECT_EQ(bars[3].base, high);
    for (const Bar& bar : bars) {
        EXPECT_EQ(bar.top, white);
    }
}

TEST_F(SleepChartCtrlTest, OnABlackBackgroundOnlyTheCapsAppear)
{
    chart.SetBackgroundColor(QColor(0, 0, 0));
    const Bar bar = AddBar(5.0, 400.0);
    EXPECT_EQ(bar.base, QColor(0, 0, 0));
    EXPECT_EQ(bar.top, QColor(255, 255, 255));
}

} // namespace
} // namespace trek
