// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/sleepchartctrl.h"

#include "widgets/chartdrawing.h"

#include <QPainter>
#include <algorithm>

namespace trek {

namespace {

const QColor HighClass(255, 160, 80);
const QColor MiddleClass(120, 250, 120);
const QColor LowClass(100, 150, 250);
const QColor Cap(255, 255, 255);
const QColor LegendText(255, 255, 255);

QColor ClassColor(double depth)
{
    if (depth >= 500.0) {
        return HighClass;
    }
    if (depth >= 150.0) {
        return MiddleClass;
    }
    return LowClass;
}

} // namespace

CSleepChartCtrl::CSleepChartCtrl(QWidget* parent) : CLayeredChart(parent, QColor(0, 0, 0))
{
    Restart();
}

CSleepChartCtrl::~CSleepChartCtrl() = default;

void CSleepChartCtrl::SetYRange(double min, double max, int decimals)
{
    m_axes.yMinimum = min;
    m_axes.yMaximum = max;
    m_axes.yDecimals = decimals;
    Restart();
}

void CSleepChartCtrl::SetXRange(double minH, double maxH)
{
    m_axes.xMinimum = minH;
    m_axes.xMaximum = maxH;
    Restart();
}

void CSleepChartCtrl::SetXTitle(const QString& title)
{
    m_xTitle = title;
    Restart();
}

void CSleepChartCtrl::SetYTitle(const QString& title)
{
    m_yTitle = title;
    Restart();
}

void CSleepChartCtrl::SetClassNames(const QString& high, const QString& middle, const QString& low)
{
    m_highName = high;
    m_middleName = middle;
    m_lowName = low;
    Restart();
}

void CSleepChartCtrl::SetDateLabels(const QString& start, const QString& end)
{
    m_startDate = start;
    m_endDate = end;
    Restart();
}

void CSleepChartCtrl::SetAxisColor(const QColor& color)
{
    m_axisColor = color;
    Restart();
}

void CSleepChartCtrl::AddMinute(double xHours, double depth)
{
    m_minutes.push_back({xHours, depth});
    AddToPlot([this](QPainter& painter) { DrawMinute(painter, Geometry(), m_minutes.back()); });
}

const ChartGeometry& CSleepChartCtrl::Geometry() const
{
    return m_geometry.Get(size(), m_axes, &ComputeSleepChartGeometry);
}

QSize CSleepChartCtrl::sizeHint() const
{
    return {660, 300};
}

QSize CSleepChartCtrl::minimumSizeHint() const
{
    // Legend and hour scale take 105 pixels of the height.
    return {300, 180};
}

void CSleepChartCtrl::OnRestart()
{
    m_geometry.Clear();
    m_minutes.clear();
}

QString CSleepChartCtrl::Describe() const
{
    QStringList parts{
        QStringLiteral("%1: %2, %3, %4").arg(m_yTitle, m_highName, m_middleName, m_lowName),
        QStringLiteral("%1 \u2013 %2").arg(m_startDate, m_endDate)};
    if (!m_xTitle.isEmpty()) {
        parts.append(m_xTitle);
    }
    return parts.join(QStringLiteral("; "));
}

void CSleepChartCtrl::DrawLegend(QPainter& painter) const
{
    const int w = width() / 10;
    constexpr int BoxTop = 20;
    constexpr int BoxHeight = 16;
    painter.setPen(LegendText);
    const struct
    {
        int box;
        const QColor& color;
        const QString& name;
    } entries[] = {
        {1, HighClass, m_highName}, {4, MiddleClass, m_middleName}, {7, LowClass, m_lowName}};
    for (const auto& entry : entries) {
        FillPixels(painter, entry.box * w, BoxTop, w, BoxHeight, entry.color);
        DrawAnchoredText(painter, {(entry.box + 1) * w + 5, BoxTop}, TextAlign::Left,
                         TextBaseline::Top, entry.name);
    }
}

void CSleepChartCtrl::DrawGrid(QPainter& painter) const
{
    painter.setFont(ChartFont());
    DrawLegend(painter);

    const ChartGeometry g = Geometry();
    const int left = g.plotLeft;
    const int top = g.plotTop;
    const int right = g.plotRight;
    const int bottom = g.plotBottom;

    FillPixels(painter, left, top, 1, bottom + 2 - top, m_axisColor);
    FillPixels(painter, left, bottom + 1, right + 1 - left, 1, m_axisColor);

    painter.setPen(m_axisColor);
    for (const AxisLabel& label : g.xLabels) {
        DrawAnchoredText(painter, {label.x, bottom + 4}, TextAlign::Centre, TextBaseline::Top,
                         label.text);
        FillPixels(painter, label.x, bottom + 1, 1, 3, m_axisColor);
    }
    DrawAnchoredText(painter, {left + 5, bottom + 16}, TextAlign::Centre, TextBaseline::Top,
                     m_startDate);
    DrawAnchoredText(painter, {right - 15, bottom + 16}, TextAlign::Centre, TextBaseline::Top,
                     m_endDate);
    DrawAnchoredText(painter, {right + 10, bottom + 4}, TextAlign::Left, TextBaseline::Top,
                     m_xTitle);
    DrawUpwardText(painter, {left - 5, (bottom + top) / 2}, m_yTitle);
}

void CSleepChartCtrl::DrawPlot(QPainter& painter) const
{
    const ChartGeometry geometry = Geometry();
    for (const Minute& minute : m_minutes) {
        DrawMinute(painter, geometry, minute);
    }
}

void CSleepChartCtrl::DrawMinute(QPainter& painter, const ChartGeometry& geometry,
                                 const Minute& minute) const
{
    const QColor color = ClassColor(minute.depth);
    const int base = geometry.plotBottom - 1;
    const int top = geometry.ToPixel(minute.xHours, minute.depth).y();
    // Columns off the widget would show nothing; leaving them out keeps wild values cheap.
    const auto [firstColumn, lastColumn] = geometry.MinuteColumns(minute.xHours);
    const int first = std::max(firstColumn, 0);
    const int last = std::min(lastColumn, width() - 1);
    for (int x = first; x <= last; ++x) {
        // The bar runs from the plot's bottom row up to just below its top, where the cap goes.
        // It stands only where the background is not black; on black only the caps show.
        if (!GridIsBlackAt({x, base})) {
            if (top < base) {
                FillPixels(painter, x, top + 1, 1, base - top, color);
            } else if (top > base) {
                FillPixels(painter, x, base, 1, top - base, color);
            }
        }
        FillPixels(painter, x, top, 1, 1, Cap);
    }
}

} // namespace trek
