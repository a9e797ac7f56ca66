// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace trek {

// The contrast a text colour needs on its background to be read by most people (the WCAG level
// for body text).
inline constexpr double ReadableContrast = 4.5;

// The WCAG contrast ratio of two colours, from 1 (the same brightness) to 21 (black on white);
// alpha is ignored.
double ContrastRatio(const QColor& first, const QColor& second);

// `preferred` when it reads on `background`; otherwise `preferred` moved the least way towards
// black or white (whichever reads better there) that makes it read. Fixed colours of the program
// go through here, because the palette they are shown in is the desktop's, dark or light.
QColor ReadableOn(const QColor& background, const QColor& preferred);

} // namespace trek
