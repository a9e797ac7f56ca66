// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/chartgeometry.h"
#include "widgets/layeredchart.h"

#include <QColor>
#include <QString>
#include <vector>

namespace trek {

// The night of a sleep analysis: one thin bar per minute, as high as the minute's depth value and
// coloured by its class, under a legend of the three classes, over an hour scale with the dates
// of the night's two ends. The owner sets everything first, adds the minutes, then calls
// update(); any setter erases the bars.
//
// Bars are drawn only where the background is not black (the column test below), so owners set
// a non-black background; on black only the white caps appear.
class CSleepChartCtrl final : public CLayeredChart
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSleepChartCtrl)
public:
    explicit CSleepChartCtrl(QWidget* parent = nullptr);
    ~CSleepChartCtrl() override;

    // The bars' height scale; decimals only widen the left margin, no numbers are printed.
    void SetYRange(double min, double max, int decimals);
    // In hours; a window longer than a day labels every second hour.
    void SetXRange(double minH, double maxH);
    void SetXTitle(const QString& title);
    void SetYTitle(const QString& title);
    void SetClassNames(const QString& high, const QString& middle, const QString& low);
    void SetDateLabels(const QString& start, const QString& end);
    // Axes, hour labels and ticks, dates and titles.
    void SetAxisColor(const QColor& color);
    // The bar of the minute that ends at xHours, coloured by the class of the depth: high (awake)
    // from 500, middle (sleep) from 150, low (deep sleep) below; its top pixel is white. No
    // repaint: call update() after the last one.
    void AddMinute(double xHours, double depth);

    const ChartAxes& Axes() const { return m_axes; }
    const ChartGeometry& Geometry() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void DrawGrid(QPainter& painter) const override;
    void DrawPlot(QPainter& painter) const override;
    void OnRestart() override;
    QString Describe() const override;

private:
    struct Minute
    {
        double xHours = 0.0;
        double depth = 0.0;
    };

    void DrawMinute(QPainter& painter, const ChartGeometry& geometry, const Minute& minute) const;
    void DrawLegend(QPainter& painter) const;

    ChartAxes m_axes;
    mutable ChartGeometryCache m_geometry;
    QString m_xTitle;
    QString m_yTitle = QStringLiteral("SLEEP DEPTH");
    QString m_highName = QStringLiteral("Awake");
    QString m_middleName = QStringLiteral("Sleep");
    QString m_lowName = QStringLiteral("Deep Sleep");
    QString m_startDate = QStringLiteral("00/00");
    QString m_endDate = QStringLiteral("00/00");
    QColor m_axisColor{0, 255, 255};
    std::vector<Minute> m_minutes;
};

} // namespace trek
