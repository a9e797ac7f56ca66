// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

class QPainter;

namespace trek {

// Where a text sits relative to its anchor point.
enum class TextAlign { Left, Centre, Right };
enum class TextBaseline { Top, Baseline };

// The charts' one typeface: Arial (or its stand-in), 14 pixels, light.
QFont ChartFont();

// Horizontal text with its left end, centre or right end at anchor.x() and its top or baseline
// at anchor.y().
void DrawAnchoredText(QPainter& painter, QPoint anchor, TextAlign align, TextBaseline baseline,
                      const QString& text);

// Text running upwards, centred on the anchor along its length, its baseline through the anchor.
void DrawUpwardText(QPainter& painter, QPoint anchor, const QString& text);

// One logical pixel, or a run of them, in the given colour: at any pixel ratio it covers the
// whole logical pixel and nothing beside it. Nothing for an empty size.
void FillPixels(QPainter& painter, int x, int y, int width, int height, const QColor& color);

// A straight line one logical pixel wide between two pixels, both ends included, unblurred.
void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color);

} // namespace trek
