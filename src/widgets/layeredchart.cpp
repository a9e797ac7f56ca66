// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/layeredchart.h"

#include <QPainter>

namespace trek {

CLayeredChart::CLayeredChart(QWidget* parent, const QColor& background)
    : QWidget(parent), m_background(background)
{
    // paintEvent covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

CLayeredChart::~CLayeredChart()
{
    EndPlotPainting();
}

void CLayeredChart::EndPlotPainting() const
{
    m_plotPainter.reset();
}

void CLayeredChart::SetBackgroundColor(const QColor& color)
{
    m_background = color;
    Restart();
}

void CLayeredChart::Restart()
{
    OnRestart();
    EndPlotPainting();
    m_stale = true;
    UpdateDescription();
    update();
}

void CLayeredChart::SetSummary(const QString& summary)
{
    m_summary = summary;
    UpdateDescription();
}

void CLayeredChart::UpdateDescription()
{
    const QString axes = Describe();
    setAccessibleDescription(m_summary.isEmpty() ? axes : m_summary + QStringLiteral("; ") + axes);
}

bool CLayeredChart::RefreshLayers() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = size() * ratio;
    const bool fits =
        !m_grid.isNull() && m_grid.size() == wanted && m_grid.devicePixelRatio() == ratio;
    if (fits && !m_stale) {
        return false;
    }
    EndPlotPainting();
    m_stale = false;
    if (wanted.isEmpty()) {
        m_grid = QImage();
        m_plot = QImage();
        return true;
    }
    // Layers of the right size are drawn over rather than made anew: a report is redrawn on
    // every click, and fresh images of this size cost a page fault for every 4 KiB of them.
    if (!fits) {
        m_grid = QImage(wanted, QImage::Format_RGB32);
        m_grid.setDevicePixelRatio(ratio);
        m_plot = QImage(wanted, QImage::Format_RGB32);
        m_plot.setDevicePixelRatio(ratio);
    }
    m_grid.fill(m_background);
    {
        QPainter painter(&m_grid);
        DrawGrid(painter);
    }
    m_plot.fill(m_background);
    {
        QPainter painter(&m_plot);
        DrawPlot(painter);
    }
    return true;
}

void CLayeredChart::AddToPlot(const std::function<void(QPainter&)>& draw)
{
    if (!isVisible()) {
        // Nothing of it is on screen (a window still being built, a page behind another): the
        // layers are made, with every item, when the chart is next painted.
        EndPlotPainting();
        m_stale = true;
        return;
    }
    if (!m_plotPainter) {
        // Fresh layers already hold every item. While the painter is open the layers are checked
        // no more: asking the widget for its pixel ratio for each of 1,440 items costs more than
        // drawing them, and layers that went stale meanwhile are redrawn whole when shown.
        if (RefreshLayers() || m_plot.isNull()) {
            return;
        }
        m_plotPainter = std::make_unique<QPainter>(&m_plot);
    }
    m_plotPainter->save();
    draw(*m_plotPainter);
    m_plotPainter->restore();
}

bool CLayeredChart::GridIsBlackAt(QPoint pixel) const
{
    const qreal ratio = m_grid.devicePixelRatio();
    const QPoint device(static_cast<int>(pixel.x() * ratio), static_cast<int>(pixel.y() * ratio));
    if (!m_grid.valid(device)) {
        return false;
    }
    return (m_grid.pixel(device) & RGB_MASK) == 0;
}

QImage CLayeredChart::Picture() const
{
    EndPlotPainting();
    RefreshLayers();
    if (m_grid.isNull()) {
        return {};
    }
    QImage picture = m_grid.copy();
    picture.setDevicePixelRatio(m_grid.devicePixelRatio());
    QPainter painter(&picture);
    // Where a stroke crosses the grid both stay visible, as the OR of their colours; the two
    // backgrounds are equal, so elsewhere each layer shows unchanged.
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(QPoint(0, 0), m_plot);
    painter.end();
    return picture;
}

void CLayeredChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter screen(this);
    screen.drawImage(QPoint(0, 0), Picture());
}

} // namespace trek
