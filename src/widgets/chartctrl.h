// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/chartgeometry.h"
#include "widgets/layeredchart.h"

#include <QColor>
#include <QString>
#include <vector>

namespace trek {

// A framed chart of straight strokes: a left value axis with its range, a right axis that only
// prints a second range, an x axis with numbers or weekday names, and three titles. The owner
// sets the ranges, titles and colours in any order, adds the strokes, then calls update(); any
// setter erases the strokes added so far.
class CChartCtrl final : public CLayeredChart
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CChartCtrl)
public:
    explicit CChartCtrl(QWidget* parent = nullptr);
    ~CChartCtrl() override;

    // The left axis scales the strokes and prints its ends with `decimals` digits after the
    // point; the right axis prints its ends with one.
    void SetYRanges(double leftMin, double leftMax, double rightMin, double rightMax, int decimals);
    // labelMode 1 names the weekdays Sunday to Saturday at x = 0 to 6; any other value writes
    // about ten integers.
    void SetXRange(double min, double max, int labelMode);
    void SetXTitle(const QString& title);
    void SetYTitles(const QString& left, const QString& right);
    // Frame, dotted grid, left numbers, x labels and the x and left titles.
    void SetAxisColor(const QColor& color);
    // Strokes added from now on take this colour, as does the right title at the next rebuild;
    // with redraw the grid is rebuilt at once, which erases the strokes.
    void SetLineColor(const QColor& color, bool redraw);
    // Draws one line between two points in axis units, not clipped to the plot. No repaint:
    // call update() after the last one.
    void AddStroke(double x0, double y0, double x1, double y1);

    const ChartAxes& Axes() const { return m_axes; }
    // Where the plot and the x labels lie at the widget's current size.
    const ChartGeometry& Geometry() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void DrawGrid(QPainter& painter) const override;
    void DrawPlot(QPainter& painter) const override;
    void OnRestart() override;
    QString Describe() const override;

private:
    struct Stroke
    {
        QPointF from;
        QPointF to;
        QColor color;
    };

    static void DrawStroke(QPainter& painter, const ChartGeometry& geometry, const Stroke& stroke);

    ChartAxes m_axes;
    mutable ChartGeometryCache m_geometry;
    double m_rightMinimum = 0.0;
    double m_rightMaximum = 100.0;
    QString m_xTitle = QStringLiteral("Samples");
    QString m_leftTitle = QStringLiteral("Y units");
    QString m_rightTitle = QStringLiteral("Y units");
    QColor m_axisColor{0, 255, 255};
    QColor m_lineColor{255, 255, 255};
    // The line colour when the grid was last rebuilt on purpose: the right title keeps it when a
    // new size rebuilds the grid.
    QColor m_rightTitleColor{255, 255, 255};
    QColor m_rightAxisColor{200, 100, 100};
    std::vector<Stroke> m_strokes;
};

} // namespace trek
