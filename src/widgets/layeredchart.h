// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

namespace trek {

// The common ground of the charts: two off-screen layers of the widget's size in device pixels,
// a grid layer (background, axes, texts) and a plot layer (the data), shown as the grid with the
// plot ORed over it. Painting only combines the layers; data is drawn once, when added, except
// that after a change of size or pixel ratio the next paint, picture or addition rebuilds both
// layers and draws the recorded data again.
//
// Setters of the subclasses change what the grid shows and call Restart(), which forgets the
// plot; so owners set every property first and add data last, then call update(). Owners name
// each chart for screen readers (setAccessibleName) and sum up its data (SetSummary); the
// accessible description is that summary followed by the chart's titles and ranges.
class CLayeredChart : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLayeredChart)
public:
    ~CLayeredChart() override;

    // Fills both layers; changing it erases the plot.
    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const { return m_background; }

    // What the data says, for screen readers; it stays until the next summary, whatever else is
    // set in between.
    void SetSummary(const QString& summary);

    // What painting shows: each device pixel the OR of the grid's and the plot's. Its
    // devicePixelRatio is the widget's; a null image while the widget has no area.
    QImage Picture() const;

protected:
    explicit CLayeredChart(QWidget* parent, const QColor& background);

    // The grid layer's content in logical coordinates, over the background.
    virtual void DrawGrid(QPainter& painter) const = 0;
    // Every recorded plot item, after the layers were made anew.
    virtual void DrawPlot(QPainter& painter) const = 0;
    // Called by Restart: drop the recorded plot items, and take over any setting that the grid
    // picks up only when it is rebuilt on purpose.
    virtual void OnRestart() = 0;
    // One line for screen readers about what the chart shows.
    virtual QString Describe() const = 0;

    // After a change to what the grid shows: OnRestart (forgets the plot), schedules fresh layers,
    // updates the accessible description and repaints.
    void Restart();
    // Draws a newly recorded item onto the plot layer. When the layers had to be made anew,
    // DrawPlot has drawn it with the others instead; on a hidden chart it waits for the next
    // paint, which draws every item at the size shown.
    void AddToPlot(const std::function<void(QPainter&)>& draw);
    // Whether the grid layer is black at the logical pixel; false outside the layer.
    bool GridIsBlackAt(QPoint pixel) const;

    void paintEvent(QPaintEvent* event) override;

private:
    // Makes the layers match the widget's size and pixel ratio; answers whether it had to.
    bool RefreshLayers() const;
    // Finishes the drawing of added items, before the plot layer is read or replaced.
    void EndPlotPainting() const;
    void UpdateDescription();

    QColor m_background;
    QString m_summary;
    // Drawn state kept only to show it again; rebuilt whenever it no longer fits the widget.
    mutable QImage m_grid;
    mutable QImage m_plot;
    mutable bool m_stale = true; // the layers no longer show what was set and added
    // Open on the plot layer while items are being added: an owner adds up to 1,440 at a time,
    // and opening a painter for each would cost more than drawing them.
    mutable std::unique_ptr<QPainter> m_plotPainter;
};

} // namespace trek
