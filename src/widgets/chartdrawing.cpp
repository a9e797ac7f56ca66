// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chartdrawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace trek {

QFont ChartFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Light);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void DrawAnchoredText(QPainter& painter, QPoint anchor, TextAlign align, TextBaseline baseline,
                      const QString& text)
{
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    int left = anchor.x();
    if (align == TextAlign::Centre) {
        left -= width / 2;
    } else if (align == TextAlign::Right) {
        left -= width;
    }
    const int base = baseline == TextBaseline::Top ? anchor.y() + metrics.ascent() : anchor.y();
    painter.drawText(QPoint(left, base), text);
}

void DrawUpwardText(QPainter& painter, QPoint anchor, const QString& text)
{
    painter.save();
    painter.translate(anchor);
    painter.rotate(-90.0);
    DrawAnchoredText(painter, QPoint(0, 0), TextAlign::Centre, TextBaseline::Baseline, text);
    painter.restore();
}

void FillPixels(QPainter& painter, int x, int y, int width, int height, const QColor& color)
{
    if (width > 0 && height > 0) {
        painter.fillRect(QRect(x, y, width, height), color);
    }
}

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A pen one logical pixel wide through the pixel centres covers exactly the logical pixels
    // of the line; at a ratio of 1 this is the plain one-pixel line.
    painter.setPen(QPen(color, 1.0));
    painter.translate(0.5, 0.5);
    painter.drawLine(from, to);
    painter.restore();
}

} // namespace trek
