// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chartgeometry.h"

#include "app/currentlanguage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trek {

namespace {

constexpr int DaysInWeek = 7;

// Far outside any screen, yet small enough that device coordinates at any sensible pixel ratio
// stay inside the painter's 26.6 fixed-point range.
constexpr double PixelLimit = 1 << 22;

double ScaleFor(int pixels, double span)
{
    if (span == 0.0 || !std::isfinite(span)) {
        return 0.0;
    }
    return pixels / span;
}

void ApplyScales(ChartGeometry& geometry, const ChartAxes& axes)
{
    geometry.xMinimum = axes.xMinimum;
    geometry.xSpan = axes.xMaximum - axes.xMinimum;
    geometry.yMinimum = axes.yMinimum;
    geometry.xScale = ScaleFor(geometry.PlotWidth(), geometry.xSpan);
    geometry.yScale = ScaleFor(geometry.PlotHeight(), axes.yMaximum - axes.yMinimum);
}

// Calls label(u) for u = trunc(first), + step, ... while u <= trunc(last). Never more labels
// than the plot has columns: beyond that they would only pile up on each other.
template <typename Label>
void ForEachTick(const ChartGeometry& geometry, double first, double last, double step,
                 Label&& label)
{
    const double start = std::trunc(first);
    const double end = std::trunc(last);
    const int most = std::max(geometry.PlotWidth(), 0) + 1;
    for (int i = 0; i < most; ++i) {
        const double u = start + i * step;
        if (!(u <= end)) {
            break;
        }
        label(u);
    }
}

// "%d" of a whole number held in a double; "0" for a negative zero.
QString IntegerText(double whole)
{
    constexpr double Low = std::numeric_limits<int>::min();
    constexpr double High = std::numeric_limits<int>::max();
    return QString::number(static_cast<int>(std::clamp(whole, Low, High)));
}

int MarginUnit(const ChartAxes& axes)
{
    return IntegerDigits(axes.yMinimum, axes.yMaximum) + axes.yDecimals + 4;
}

} // namespace

int TruncToPixel(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(value, -PixelLimit, PixelLimit)));
}

QPoint ChartGeometry::ToPixel(double x, double y) const
{
    return {TruncToPixel((x - xMinimum) * xScale) + plotLeft,
            plotBottom - TruncToPixel((y - yMinimum) * yScale)};
}

int ChartGeometry::LabelColumn(double x) const
{
    if (xSpan == 0.0) {
        return plotLeft;
    }
    return TruncToPixel((x - xMinimum) * PlotWidth() / xSpan + plotLeft);
}

std::pair<int, int> ChartGeometry::MinuteColumns(double x) const
{
    const double offset = x - xMinimum;
    const int first = TruncToPixel((offset - 1.0 / 60.0) * xScale);
    return {first < 0 ? plotLeft : first + plotLeft, TruncToPixel(offset * xScale) + plotLeft};
}

int IntegerDigits(double minimum, double maximum)
{
    const auto digits = [](double value) {
        if (value == 0.0 || !std::isfinite(value)) {
            return 0;
        }
        return std::abs(static_cast<int>(std::trunc(std::log10(std::fabs(value)))));
    };
    return std::max(digits(minimum), digits(maximum));
}

ChartGeometry ComputeChartGeometry(QSize client, const ChartAxes& axes)
{
    const int c = MarginUnit(axes);
    ChartGeometry geometry;
    geometry.plotLeft = 6 * c;
    geometry.plotTop = 10;
    geometry.plotRight = client.width() - 8 * c;
    geometry.plotBottom = client.height() - 25;
    ApplyScales(geometry, axes);

    if (axes.xLabelMode == 1) {
        for (int day = 0; day < DaysInWeek; ++day) {
            geometry.xLabels.push_back(
                {geometry.LabelColumn(day), GetLangText(RowAfter(TextRow::Sunday, day))});
        }
        return geometry;
    }
    const double step = std::max(std::trunc(geometry.xSpan * 0.1), 1.0);
    ForEachTick(geometry, axes.xMinimum, axes.xMaximum, step, [&](double u) {
        geometry.xLabels.push_back({geometry.LabelColumn(u), IntegerText(u)});
    });
    return geometry;
}

ChartGeometry ComputeSleepChartGeometry(QSize client, const ChartAxes& axes)
{
    const int c = MarginUnit(axes);
    ChartGeometry geometry;
    geometry.plotLeft = 4 * c;
    geometry.plotTop = 70;
    geometry.plotRight = client.width() - c;
    geometry.plotBottom = client.height() - 35;
    ApplyScales(geometry, axes);

    // A window longer than a day labels every second hour so that the numbers keep apart.
    const double step = geometry.xSpan > 24.0 ? 2.0 : 1.0;
    ForEachTick(geometry, axes.xMinimum, axes.xMaximum, step, [&](double hour) {
        const double ofDay = hour < 0.0 ? hour + 24.0 : std::fmod(hour, 24.0);
        geometry.xLabels.push_back({geometry.LabelColumn(hour), IntegerText(std::trunc(ofDay))});
    });
    return geometry;
}

} // namespace trek
