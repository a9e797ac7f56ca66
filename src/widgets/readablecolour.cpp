// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/readablecolour.h"

#include <algorithm>
#include <cmath>

namespace trek {

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

QColor Mixed(const QColor& from, const QColor& to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * share),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * share),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * share));
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableOn(const QColor& background, const QColor& preferred)
{
    if (ContrastRatio(background, preferred) >= ReadableContrast) {
        return preferred;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    // One of the two always reads: the worst background (a luminance of about 0.18) still has
    // a ratio of 4.58 to both.
    const QColor target =
        ContrastRatio(background, black) >= ContrastRatio(background, white) ? black : white;
    constexpr int Steps = 20;
    for (int step = 1; step < Steps; ++step) {
        const QColor moved = Mixed(preferred, target, static_cast<double>(step) / Steps);
        if (ContrastRatio(background, moved) >= ReadableContrast) {
            return moved;
        }
    }
    return target;
}

} // namespace trek
