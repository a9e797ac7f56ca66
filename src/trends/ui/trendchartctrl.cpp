// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/ui/trendchartctrl.h"

#include "widgets/chartdrawing.h"
#include "widgets/chartgeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace trek {

namespace {

const QColor Background(0, 0, 64);
const QColor LegendText(255, 255, 255);

constexpr int Gap = 4; // between a text and what it belongs to
constexpr int LegendSpacing = 14;
constexpr int SwatchSize = 12;
constexpr int DashLength = 4;
constexpr int DashPeriod = 8;
constexpr int DotPeriod = 4; // the grid's dotted lines, as the report chart has them
// A bar leaves this share of its slot free, so that neighbours stand apart.
constexpr double BarShare = 0.7;

void DrawDashes(QPainter& painter, int left, int right, int y, const QColor& color)
{
    for (int x = left; x <= right; x += DashPeriod) {
        FillPixels(painter, x, y, std::min(DashLength, right + 1 - x), 1, color);
    }
}

} // namespace

int CTrendChartCtrl::Plot::X(double x) const
{
    return left + TruncToPixel(std::round(x * slotWidth));
}

int CTrendChartCtrl::Plot::Y(double value) const
{
    return bottom - TruncToPixel(std::round(value * yScale));
}

CTrendChartCtrl::CTrendChartCtrl(QWidget* parent) : CLayeredChart(parent, Background)
{
    Restart();
}

CTrendChartCtrl::~CTrendChartCtrl() = default;

void CTrendChartCtrl::SetSlots(int count, std::vector<TrendAxisLabel> labels)
{
    m_slotCount = std::max(count, 1);
    m_labels = std::move(labels);
    Restart();
}

void CTrendChartCtrl::SetYRange(double maximum, const QString& topText)
{
    m_yMaximum = maximum > 0.0 && std::isfinite(maximum) ? maximum : 1.0;
    m_topText = topText;
    Restart();
}

void CTrendChartCtrl::SetYTitle(const QString& title)
{
    m_yTitle = title;
    Restart();
}

void CTrendChartCtrl::SetLegend(std::vector<TrendLegendEntry> entries)
{
    m_legend = std::move(entries);
    Restart();
}

void CTrendChartCtrl::SetAxisColor(const QColor& color)
{
    m_axisColor = color;
    Restart();
}

void CTrendChartCtrl::AddBar(int slot, double value, const QColor& color)
{
    m_bars.push_back({slot, value, color});
    AddToPlot([this](QPainter& painter) { DrawBar(painter, PlotArea(), m_bars.back()); });
}

void CTrendChartCtrl::AddLine(std::vector<QPointF> points, const QColor& color)
{
    m_lines.push_back({std::move(points), color});
    AddToPlot([this](QPainter& painter) { DrawLine(painter, PlotArea(), m_lines.back()); });
}

void CTrendChartCtrl::AddLevel(double value, const QColor& color)
{
    m_levels.push_back({value, color});
    AddToPlot([this](QPainter& painter) { DrawLevel(painter, PlotArea(), m_levels.back()); });
}

QSize CTrendChartCtrl::sizeHint() const
{
    return {640, 240};
}

QSize CTrendChartCtrl::minimumSizeHint() const
{
    return {320, 140};
}

void CTrendChartCtrl::OnRestart()
{
    m_bars.clear();
    m_lines.clear();
    m_levels.clear();
}

QString CTrendChartCtrl::Describe() const
{
    QStringList parts{QStringLiteral("%1: 0 \u2013 %2").arg(m_yTitle, m_topText)};
    if (!m_labels.empty()) {
        parts.append(
            QStringLiteral("%1 \u2013 %2").arg(m_labels.front().text, m_labels.back().text));
    }
    return parts.join(QStringLiteral("; "));
}

CTrendChartCtrl::Plot CTrendChartCtrl::PlotArea() const
{
    const QFontMetrics metrics(ChartFont());
    const int numbers = std::max(metrics.horizontalAdvance(m_topText),
                                 metrics.horizontalAdvance(QStringLiteral("0")));
    Plot plot;
    // The upward title, then the numbers, then the frame.
    plot.left = Gap + metrics.height() + Gap + numbers + Gap + 1;
    plot.top = Gap + metrics.height() + 2 * Gap;
    plot.right = width() - 2 * Gap;
    plot.bottom = height() - (metrics.height() + 2 * Gap);
    plot.slotWidth = std::max(plot.right - plot.left, 0) / static_cast<double>(m_slotCount);
    plot.yScale = std::max(plot.bottom - plot.top, 0) / m_yMaximum;
    return plot;
}

void CTrendChartCtrl::DrawLegend(QPainter& painter, const Plot& plot) const
{
    const QFontMetrics metrics(painter.font());
    const int top = Gap;
    const int middle = top + metrics.height() / 2;
    int x = plot.left;
    painter.setPen(LegendText);
    for (const TrendLegendEntry& entry : m_legend) {
        switch (entry.mark) {
        case TrendLegendEntry::Mark::Box:
            FillPixels(painter, x, middle - SwatchSize / 2, SwatchSize, SwatchSize, entry.color);
            x += SwatchSize + Gap;
            break;
        case TrendLegendEntry::Mark::Line:
            FillPixels(painter, x, middle, 2 * SwatchSize, 1, entry.color);
            x += 2 * SwatchSize + Gap;
            break;
        case TrendLegendEntry::Mark::Dashes:
            DrawDashes(painter, x, x + 2 * SwatchSize, middle, entry.color);
            x += 2 * SwatchSize + Gap;
            break;
        case TrendLegendEntry::Mark::None:
            break;
        }
        DrawAnchoredText(painter, {x, top}, TextAlign::Left, TextBaseline::Top, entry.text);
        x += metrics.horizontalAdvance(entry.text) + LegendSpacing;
    }
}

void CTrendChartCtrl::DrawXLabels(QPainter& painter, const Plot& plot) const
{
    const QFontMetrics metrics(painter.font());
    // From the right: the newest label is the one kept when two would touch.
    int freeUntil = width(); // the column after the last one a label may take
    for (auto label = m_labels.rbegin(); label != m_labels.rend(); ++label) {
        const int tick = plot.X(label->x);
        const int textWidth = metrics.horizontalAdvance(label->text);
        // A label at the right end moves left rather than leave the widget.
        const int left = std::min(tick - textWidth / 2, width() - textWidth);
        if (left + textWidth > freeUntil || left < 0) {
            continue;
        }
        FillPixels(painter, tick, plot.bottom + 1, 1, Gap - 1, m_axisColor);
        DrawAnchoredText(painter, {left, plot.bottom + Gap}, TextAlign::Left, TextBaseline::Top,
                         label->text);
        freeUntil = left - 2 * Gap;
    }
}

void CTrendChartCtrl::DrawGrid(QPainter& painter) const
{
    painter.setFont(ChartFont());
    const Plot plot = PlotArea();
    DrawLegend(painter, plot);

    const int left = plot.left - 1;
    const int right = plot.right + 1;
    const int top = plot.top - 1;
    const int bottom = plot.bottom + 1;
    FillPixels(painter, left, top, right + 1 - left, 1, m_axisColor);
    FillPixels(painter, left, bottom, right + 1 - left, 1, m_axisColor);
    FillPixels(painter, left, top, 1, bottom + 1 - top, m_axisColor);
    FillPixels(painter, right, top, 1, bottom + 1 - top, m_axisColor);
    for (const double share : {0.25, 0.5, 0.75}) {
        const int row = plot.Y(m_yMaximum * share);
        for (int x = plot.left; x < plot.right; x += DotPeriod) {
            FillPixels(painter, x, row, 1, 1, m_axisColor);
        }
    }

    painter.setPen(m_axisColor);
    DrawAnchoredText(painter, {left - Gap, top}, TextAlign::Right, TextBaseline::Top, m_topText);
    DrawAnchoredText(painter, {left - Gap, bottom}, TextAlign::Right, TextBaseline::Baseline,
                     QStringLiteral("0"));
    const QFontMetrics metrics(painter.font());
    DrawUpwardText(painter, {Gap + metrics.ascent(), (top + bottom) / 2}, m_yTitle);
    DrawXLabels(painter, plot);
}

void CTrendChartCtrl::DrawPlot(QPainter& painter) const
{
    const Plot plot = PlotArea();
    for (const Bar& bar : m_bars) {
        DrawBar(painter, plot, bar);
    }
    for (const Line& line : m_lines) {
        DrawLine(painter, plot, line);
    }
    for (const Level& level : m_levels) {
        DrawLevel(painter, plot, level);
    }
}

void CTrendChartCtrl::DrawBar(QPainter& painter, const Plot& plot, const Bar& bar)
{
    if (!(bar.value > 0.0)) {
        return;
    }
    const int slotLeft = plot.X(bar.slot);
    const int slotRight = plot.X(bar.slot + 1);
    const int slotWidth = slotRight - slotLeft;
    // Narrow slots keep a one-pixel gap; a bar is never thinner than a pixel.
    const int barWidth =
        std::max(std::min(static_cast<int>(std::lround(slotWidth * BarShare)), slotWidth - 1), 1);
    const int top = std::max(plot.Y(bar.value), plot.top);
    FillPixels(painter, slotLeft + (slotWidth - barWidth) / 2, top, barWidth, plot.bottom + 1 - top,
               bar.color);
}

void CTrendChartCtrl::DrawLine(QPainter& painter, const Plot& plot, const Line& line)
{
    for (std::size_t i = 1; i < line.points.size(); ++i) {
        const QPointF& from = line.points[i - 1];
        const QPointF& to = line.points[i];
        DrawPixelLine(painter, {plot.X(from.x()), std::max(plot.Y(from.y()), plot.top)},
                      {plot.X(to.x()), std::max(plot.Y(to.y()), plot.top)}, line.color);
    }
}

void CTrendChartCtrl::DrawLevel(QPainter& painter, const Plot& plot, const Level& level)
{
    DrawDashes(painter, plot.left, plot.right, std::max(plot.Y(level.value), plot.top),
               level.color);
}

} // namespace trek
