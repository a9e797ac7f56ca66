// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLine>
#include <QList>
#include <QSize>
#include <QString>

namespace trek {

// Where the seven-segment display draws the strokes of its text, in device pixels.
struct LedLayout
{
    int stroke = 1;  // pen width t: 7 % of the height
    int segment = 1; // segment length L: 30 % of the height
    QList<QLine> lines;
};

// Digits, '-' and ':' of `text` on a display of `size` device pixels. Every character takes a
// cell 3t + L wide, ':' one t + L wide; the first cell starts where a row of full cells would be
// centred. Other characters stay blank but take a digit's cell.
LedLayout LayOutLedText(const QString& text, QSize size);

// The segments lit for a character: bit 7 the top (a), then clockwise b to f, bit 1 the middle.
int SegmentCode(QChar character);

} // namespace trek
