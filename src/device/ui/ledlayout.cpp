// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/ledlayout.h"

#include <algorithm>
#include <array>

namespace trek {

namespace {

constexpr std::array<int, 10> DigitCodes{0xFC, 0x60, 0xDA, 0xF2, 0x66,
                                         0xB6, 0xBE, 0xE0, 0xFE, 0xF6};
constexpr int MinusCode = 0x02;
constexpr int SegmentCount = 7;

// The segments a to g of the cell at (x, y), in the order of their bits from bit 7 down.
std::array<QLine, SegmentCount> cellSegments(int x, int y, int t, int l)
{
    return {{
        {x + 2 * t, y + t, x + l, y + t},                         // a
        {x + t + l, y + 2 * t, x + t + l, y + 2 * t + l},         // b
        {x + t + l, y + 4 * t + l, x + t + l, y + 4 * t + 2 * l}, // c
        {x + 2 * t, y + 5 * t + 2 * l, x + l, y + 5 * t + 2 * l}, // d
        {x + t, y + 4 * t + l, x + t, y + 4 * t + 2 * l},         // e
        {x + t, y + 2 * t, x + t, y + 2 * t + l},                 // f
        {x + 2 * t, y + 3 * t + l, x + l, y + 3 * t + l},         // g
    }};
}

} // namespace

int SegmentCode(QChar character)
{
    if (character >= u'0' && character <= u'9') {
        return DigitCodes.at(static_cast<std::size_t>(character.unicode() - u'0'));
    }
    return character == u'-' ? MinusCode : 0;
}

LedLayout LayOutLedText(const QString& text, QSize size)
{
    LedLayout layout;
    // Truncated as the C library converts, so a height gives the same strokes everywhere.
    layout.stroke = std::max(1, static_cast<int>(size.height() * 0.07));
    layout.segment = std::max(1, static_cast<int>(size.height() * 0.3));
    const int t = layout.stroke;
    const int l = layout.segment;
    const auto count = static_cast<int>(text.size());

    // Centred as if ':' took a full cell, so a clock does not jump as its digits change.
    int x = (size.width() - count * (3 * t + l)) / 2;
    const int y = 1;
    for (const QChar character : text) {
        if (character == u':') {
            layout.lines.append({x + 2 * t, y + l, x + 2 * t, y + l + 2});
            layout.lines.append({x + 2 * t, y + t + 2 * l, x + 2 * t, y + t + 2 * l + 2});
            x += t + l;
            continue;
        }
        const int code = SegmentCode(character);
        const std::array<QLine, SegmentCount> segments = cellSegments(x, y, t, l);
        for (int index = 0; index < SegmentCount; ++index) {
            if ((code & (0x80 >> index)) != 0) {
                layout.lines.append(segments.at(static_cast<std::size_t>(index)));
            }
        }
        x += 3 * t + l;
    }
    return layout;
}

} // namespace trek
