// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chartctrl.h"

#include "widgets/chartdrawing.h"

#include <QPainter>

namespace trek {

namespace {

// printf's "%.*f" falls back to six digits for a negative precision; so do we.
QString Fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals < 0 ? 6 : decimals);
}

QString Range(const QString& title, const QString& minimum, const QString& maximum)
{
    return QStringLiteral("%1: %2 \u2013 %3").arg(title, minimum, maximum);
}

} // namespace

CChartCtrl::CChartCtrl(QWidget* parent) : CLayeredChart(parent, QColor(0, 0, 0))
{
    Restart();
}

CChartCtrl::~CChartCtrl() = default;

void CChartCtrl::SetYRanges(double leftMin, double leftMax, double rightMin, double rightMax,
                            int decimals)
{
    m_axes.yMinimum = leftMin;
    m_axes.yMaximum = leftMax;
    m_axes.yDecimals = decimals;
    m_rightMinimum = rightMin;
    m_rightMaximum = rightMax;
    Restart();
}

void CChartCtrl::SetXRange(double min, double max, int labelMode)
{
    m_axes.xMinimum = min;
    m_axes.xMaximum = max;
    m_axes.xLabelMode = labelMode;
    Restart();
}

void CChartCtrl::SetXTitle(const QString& title)
{
    m_xTitle = title;
    Restart();
}

void CChartCtrl::SetYTitles(const QString& left, const QString& right)
{
    m_leftTitle = left;
    m_rightTitle = right;
    Restart();
}

void CChartCtrl::SetAxisColor(const QColor& color)
{
    m_axisColor = color;
    Restart();
}

void CChartCtrl::SetLineColor(const QColor& color, bool redraw)
{
    m_lineColor = color;
    if (redraw) {
        Restart();
    }
}

void CChartCtrl::AddStroke(double x0, double y0, double x1, double y1)
{
    m_strokes.push_back({QPointF(x0, y0), QPointF(x1, y1), m_lineColor});
    AddToPlot([this](QPainter& painter) { DrawStroke(painter, Geometry(), m_strokes.back()); });
}

const ChartGeometry& CChartCtrl::Geometry() const
{
    return m_geometry.Get(size(), m_axes, &ComputeChartGeometry);
}

QSize CChartCtrl::sizeHint() const
{
    // A month of days above a list: wide and low.
    return {660, 170};
}

QSize CChartCtrl::minimumSizeHint() const
{
    return {240, 90};
}

void CChartCtrl::OnRestart()
{
    m_geometry.Clear();
    m_strokes.clear();
    m_rightTitleColor = m_lineColor;
}

QString CChartCtrl::Describe() const
{
    return QStringList{
        Range(m_leftTitle, Fixed(m_axes.yMinimum, m_axes.yDecimals),
              Fixed(m_axes.yMaximum, m_axes.yDecimals)),
        Range(m_rightTitle, Fixed(m_rightMinimum, 1), Fixed(m_rightMaximum, 1)),
        Range(m_xTitle, QString::number(m_axes.xMinimum), QString::number(m_axes.xMaximum))}
        .join(QStringLiteral("; "));
}

void CChartCtrl::DrawGrid(QPainter& painter) const
{
    const ChartGeometry g = Geometry();
    const int left = g.plotLeft;
    const int top = g.plotTop;
    const int right = g.plotRight;
    const int bottom = g.plotBottom;

    // The frame lies one pixel outside the plot on the right and at the bottom.
    FillPixels(painter, left, top, right + 2 - left, 1, m_axisColor);
    FillPixels(painter, left, bottom + 1, right + 2 - left, 1, m_axisColor);
    FillPixels(painter, left, top, 1, bottom + 2 - top, m_axisColor);
    FillPixels(painter, right + 1, top, 1, bottom + 2 - top, m_axisColor);

    const int middle = (top + bottom) / 2;
    const int quarter = g.PlotHeight() / 4;
    for (const int row : {middle - quarter, middle, middle + quarter}) {
        for (int x = left; x < right; x += 4) {
            FillPixels(painter, x, row, 1, 1, m_axisColor);
        }
    }

    painter.setFont(ChartFont());
    painter.setPen(m_axisColor);
    DrawAnchoredText(painter, {left - 4, top}, TextAlign::Right, TextBaseline::Top,
                     Fixed(m_axes.yMaximum, m_axes.yDecimals));
    DrawAnchoredText(painter, {left - 4, bottom}, TextAlign::Right, TextBaseline::Baseline,
                     Fixed(m_axes.yMinimum, m_axes.yDecimals));
    for (const AxisLabel& label : g.xLabels) {
        DrawAnchoredText(painter, {label.x, bottom + 4}, TextAlign::Centre, TextBaseline::Top,
                         label.text);
    }
    DrawAnchoredText(painter, {right + 10, bottom + 4}, TextAlign::Left, TextBaseline::Top,
                     m_xTitle);

    painter.setPen(m_rightAxisColor);
    DrawAnchoredText(painter, {right + 4, top}, TextAlign::Left, TextBaseline::Top,
                     Fixed(m_rightMaximum, 1));
    DrawAnchoredText(painter, {right + 4, bottom}, TextAlign::Left, TextBaseline::Baseline,
                     Fixed(m_rightMinimum, 1));

    const int centreY = (top + bottom) / 2;
    painter.setPen(m_axisColor);
    DrawUpwardText(painter, {left / 2, centreY}, m_leftTitle);
    painter.setPen(m_rightTitleColor);
    DrawUpwardText(painter, {(right + width()) / 2, centreY}, m_rightTitle);
}

void CChartCtrl::DrawPlot(QPainter& painter) const
{
    const ChartGeometry geometry = Geometry();
    for (const Stroke& stroke : m_strokes) {
        DrawStroke(painter, geometry, stroke);
    }
}

void CChartCtrl::DrawStroke(QPainter& painter, const ChartGeometry& geometry, const Stroke& stroke)
{
    DrawPixelLine(painter, geometry.ToPixel(stroke.from.x(), stroke.from.y()),
                  geometry.ToPixel(stroke.to.x(), stroke.to.y()), stroke.color);
}

} // namespace trek
