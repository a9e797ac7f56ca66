// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chartctrl.h"
#include "widgets/sleepchartctrl.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Every window of this program is drawn at 200 %: the variable must be set before the
// application object exists, which main() creates before any test runs.
const bool DoubleScale = qputenv("QT_SCALE_FACTOR", "2");

} // namespace

namespace trek {
namespace {

const QColor Background(0, 0, 64);
const QColor Axis(192, 192, 255);
const QColor Stroke(200, 50, 50);

// At 200 % every logical pixel is two by two device pixels. The lines keep a width of one
// logical pixel (two device pixels), so that the picture looks as it does at 100 %, only sharper,
// and a sleep bar covers its whole column instead of leaving every second device column empty.
TEST(ChartHighDpiTest, LinesCoverWholeLogicalPixelsWithoutBlending)
{
    ASSERT_TRUE(DoubleScale);
    CChartCtrl chart;
    chart.resize(660, 170);
    ASSERT_EQ(chart.devicePixelRatioF(), 2.0);
    chart.SetBackgroundColor(Background);
    chart.SetAxisColor(Axis);
    chart.SetYRanges(0.0, 100.0, 0.0, 10.0, 0);
    chart.SetXRange(0.0, 24.0, 0);
    chart.SetLineColor(Stroke, false);
    chart.AddStroke(0.0, 5.0, 24.0, 95.0);

    const QImage picture = chart.Picture();
    EXPECT_EQ(picture.size(), QSize(1320, 340));
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);

    // The frame's top line is logical row 10: device rows 20 and 21, nothing bleeding around.
    const int column = 2 * 300;
    EXPECT_EQ(picture.pixelColor(column, 19), Background);
    EXPECT_EQ(picture.pixelColor(column, 20), Axis);
    EXPECT_EQ(picture.pixelColor(column, 21), Axis);
    EXPECT_EQ(picture.pixelColor(column, 22), Background);

    // Inside the plot (no text there) only the exact colours and their ORs appear.
    const ChartGeometry g = chart.Geometry();
    const QSet<QRgb> allowed{Background.rgb(), Axis.rgb(), QColor(200, 50, 50 | 64).rgb(),
                             QColor(200 | 192, 50 | 192, 255).rgb()};
    int strokePixels = 0;
    for (int y = 2 * g.plotTop; y < 2 * (g.plotBottom + 2); ++y) {
        for (int x = 2 * g.plotLeft; x < 2 * (g.plotRight + 2); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            ASSERT_TRUE(allowed.contains(pixel)) << "at " << x << "," << y;
            strokePixels += pixel == QColor(200, 50, 50 | 64).rgb() ? 1 : 0;
        }
    }
    EXPECT_GT(strokePixels, 2 * 2 * 576);
}

TEST(ChartHighDpiTest, SleepBarsFillBothDeviceColumnsOfTheirPixel)
{
    CSleepChartCtrl chart;
    chart.resize(660, 300);
    chart.SetBackgroundColor(Background);
    chart.SetYRange(0.0, 800.0, 0);
    chart.SetXRange(0.0, 24.0);
    chart.AddMinute(6.0, 300.0);

    const ChartGeometry g = chart.Geometry();
    const int column = g.MinuteColumns(6.0).second;
    const QImage picture = chart.Picture();
    const int row = 2 * (g.plotBottom - 1);
    EXPECT_EQ(picture.pixelColor(2 * column, row), QColor(120, 250, 120));
    EXPECT_EQ(picture.pixelColor(2 * column + 1, row), QColor(120, 250, 120));
    EXPECT_EQ(picture.pixelColor(2 * column + 2, row), Background);
}

} // namespace
} // namespace trek
