// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/ledclockstatic.h"

#include "device/ui/ledlayout.h"

#include <QPainter>

namespace trek {

CLedClockStatic::CLedClockStatic(QWidget* parent) : QLabel(parent)
{
    SetText(QStringLiteral("10:07"));
}

void CLedClockStatic::SetText(const QString& text)
{
    setText(text);
    setAccessibleName(text);
    update();
}

void CLedClockStatic::SetBkColor(const QColor& color)
{
    m_background = color;
    update();
}

void CLedClockStatic::SetSegmentColor(const QColor& color)
{
    m_segments = color;
    update();
}

QImage CLedClockStatic::Render(qreal devicePixelRatio) const
{
    const QSize pixels = (QSizeF(size()) * devicePixelRatio).toSize();
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(m_background.isValid() ? m_background : palette().color(QPalette::Button));
    const LedLayout layout = LayOutLedText(text(), pixels);
    QPainter painter(&image);
    // Round ends, no smoothing: the strokes of a wide pen of the platform's own line drawing.
    painter.setPen(QPen(m_segments.isValid() ? m_segments : palette().color(QPalette::ButtonText),
                        layout.stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLines(layout.lines);
    return image;
}

void CLedClockStatic::paintEvent(QPaintEvent* /*event*/)
{
    const qreal ratio = devicePixelRatioF();
    QImage image = Render(ratio);
    image.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(QPointF(0, 0), image);
}

} // namespace trek
