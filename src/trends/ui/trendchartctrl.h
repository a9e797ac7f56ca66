// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/layeredchart.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <vector>

namespace trek {

// A label under the x axis, centred on x (in slots: 0.5 is the middle of the first).
struct TrendAxisLabel
{
    double x = 0.0;
    QString text;
};

// One entry of the legend over the plot: a mark in its colour, then its text.
struct TrendLegendEntry
{
    enum class Mark { None, Box, Line, Dashes };
    Mark mark = Mark::None;
    QColor color;
    QString text;
};

// Bars side by side in equal slots along x, lines over them and dashed levels across, under a
// legend, with the report charts' frame, dotted grid, font and colours. The owner sets the
// slots, range, titles and legend first, adds the data, then calls update(); any setter erases
// the data.
class CTrendChartCtrl final : public CLayeredChart
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTrendChartCtrl)
public:
    struct Bar
    {
        int slot = 0;
        double value = 0.0;
        QColor color;
    };
    struct Line
    {
        std::vector<QPointF> points; // x in slots, y in values
        QColor color;
    };
    struct Level
    {
        double value = 0.0;
        QColor color;
    };

    explicit CTrendChartCtrl(QWidget* parent = nullptr);
    ~CTrendChartCtrl() override;

    // `count` slots along x, and the labels under them, in order; a label that would touch the
    // one after it is left out.
    void SetSlots(int count, std::vector<TrendAxisLabel> labels);
    // Values from 0 to `maximum`, the top written as `topText`.
    void SetYRange(double maximum, const QString& topText);
    void SetYTitle(const QString& title);
    void SetLegend(std::vector<TrendLegendEntry> entries);
    // Frame, dotted grid, numbers, labels and titles.
    void SetAxisColor(const QColor& color);

    // The bar of a slot, from 0 up to `value`. No repaint: call update() after the last item.
    void AddBar(int slot, double value, const QColor& color);
    // A line through the points, one logical pixel wide.
    void AddLine(std::vector<QPointF> points, const QColor& color);
    // A dashed line across the plot at `value`; the legend says what it is.
    void AddLevel(double value, const QColor& color);

    const std::vector<Bar>& Bars() const { return m_bars; }
    const std::vector<Line>& Lines() const { return m_lines; }
    const std::vector<Level>& Levels() const { return m_levels; }
    int SlotCount() const { return m_slotCount; }
    double YMaximum() const { return m_yMaximum; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void DrawGrid(QPainter& painter) const override;
    void DrawPlot(QPainter& painter) const override;
    void OnRestart() override;
    QString Describe() const override;

private:
    // Where the plot lies at the current size, in logical pixels; the frame is one pixel outside
    // it on every side.
    struct Plot
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        double slotWidth = 0.0;
        double yScale = 0.0;

        int X(double x) const;
        int Y(double value) const;
    };

    Plot PlotArea() const;
    void DrawLegend(QPainter& painter, const Plot& plot) const;
    void DrawXLabels(QPainter& painter, const Plot& plot) const;
    static void DrawBar(QPainter& painter, const Plot& plot, const Bar& bar);
    static void DrawLine(QPainter& painter, const Plot& plot, const Line& line);
    static void DrawLevel(QPainter& painter, const Plot& plot, const Level& level);

    int m_slotCount = 1;
    std::vector<TrendAxisLabel> m_labels;
    double m_yMaximum = 100.0;
    QString m_topText = QStringLiteral("100");
    QString m_yTitle;
    std::vector<TrendLegendEntry> m_legend;
    QColor m_axisColor{192, 192, 255};
    std::vector<Bar> m_bars;
    std::vector<Line> m_lines;
    std::vector<Level> m_levels;
};

} // namespace trek
