// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <utility>
#include <vector>

namespace trek {

// What the owner of a chart has set about its axes. The x label mode is read by the step chart
// only (1: weekday names, anything else: numbers).
struct ChartAxes
{
    double yMinimum = 0.0;
    double yMaximum = 100.0;
    int yDecimals = 3;
    double xMinimum = 0.0;
    double xMaximum = 24.0;
    int xLabelMode = 0;
};

// One label under the x axis: its text and the column it is centred on.
struct AxisLabel
{
    int x = 0;
    QString text;

    bool operator==(const AxisLabel& other) const = default;
};

// Where a chart of a given size puts its plotting area and x labels, in logical pixels. The
// frame or axis lines lie just outside: at plotRight + 1 and plotBottom + 1.
struct ChartGeometry
{
    int plotLeft = 0;
    int plotTop = 0;
    int plotRight = 0;
    int plotBottom = 0;
    double xScale = 0.0; // pixels per x unit; 0 for an empty x range
    double yScale = 0.0; // pixels per y unit; 0 for an empty y range
    double xMinimum = 0.0;
    double xSpan = 0.0;
    double yMinimum = 0.0;
    std::vector<AxisLabel> xLabels;

    int PlotWidth() const { return plotRight - plotLeft; }
    int PlotHeight() const { return plotBottom - plotTop; }
    // Pixel of the value (x, y): offsets from the minima truncated towards zero, y upwards.
    QPoint ToPixel(double x, double y) const;
    // Column of x, truncated after adding plotLeft (the labels' rule, which differs from
    // ToPixel's for negative offsets).
    int LabelColumn(double x) const;
    // First and last column of the bar of the minute that ends at x (the sleep chart's bars);
    // the first never lies left of the plot.
    std::pair<int, int> MinuteColumns(double x) const;
};

// Digits the y numbers need before the point: the larger |trunc(log10 |v|)| of the two range
// ends, where an end of 0 counts 0.
int IntegerDigits(double minimum, double maximum);

// Step chart: a left margin of 6 and a right margin of 8 character widths (digits + decimals +
// 4 each), 10 pixels above and 25 below the plot.
ChartGeometry ComputeChartGeometry(QSize client, const ChartAxes& axes);

// Sleep chart: margins of 4 and 1 character widths, room for the legend above (70 pixels) and
// for the hours and dates below (35 pixels); the labels are hours of the day.
ChartGeometry ComputeSleepChartGeometry(QSize client, const ChartAxes& axes);

// The geometry of the last size asked for, kept until the axes change (Clear): a chart places
// up to 1,440 items at a time, and working out the labels for each would cost more than drawing.
class ChartGeometryCache final
{
public:
    using Compute = ChartGeometry (*)(QSize, const ChartAxes&);

    const ChartGeometry& Get(QSize client, const ChartAxes& axes, Compute compute)
    {
        if (!m_valid || m_client != client) {
            m_geometry = compute(client, axes);
            m_client = client;
            m_valid = true;
        }
        return m_geometry;
    }
    void Clear() { m_valid = false; }

private:
    ChartGeometry m_geometry;
    QSize m_client;
    bool m_valid = false;
};

// Pixel column of the value x: trunc(x) clamped to a range far beyond any screen, so that wild
// values neither overflow nor reach the painter's fixed-point limits.
int TruncToPixel(double value);

} // namespace trek
