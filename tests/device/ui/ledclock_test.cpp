// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/ledclockstatic.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QColor Background(236, 233, 216);
const QColor Segments(20, 150, 20);

struct Scale
{
    qreal ratio;
    int t; // stroke width in device pixels: 7 % of the height
    int l; // segment length: 30 % of the height
};

// The segment lines of a cell at (x, y) as the drawing rules give them, a to g.
std::array<QLine, 7> Segments7(int x, int y, int t, int l)
{
    return {{{x + 2 * t, y + t, x + l, y + t},
             {x + t + l, y + 2 * t, x + t + l, y + 2 * t + l},
             {x + t + l, y + 4 * t + l, x + t + l, y + 4 * t + 2 * l},
             {x + 2 * t, y + 5 * t + 2 * l, x + l, y + 5 * t + 2 * l},
             {x + t, y + 4 * t + l, x + t, y + 4 * t + 2 * l},
             {x + t, y + 2 * t, x + t, y + 2 * t + l},
             {x + 2 * t, y + 3 * t + l, x + l, y + 3 * t + l}}};
}

TEST(LedClockStaticTest, SegmentsOf1007AreLitAtTheirMiddlesAndDarkAStrokeAside)
{
    CLedClockStatic led;
    led.resize(150, 45);
    led.SetBkColor(Background);
    led.SetSegmentColor(Segments);
    led.SetText(QStringLiteral("10:07"));
    EXPECT_EQ(led.accessibleName(), QStringLiteral("10:07"));

    // 45 pixels high: t = 3, L = 13; at 200 % the strokes follow the 90 device pixels.
    for (const Scale scale : {Scale{1.0, 3, 13}, Scale{2.0, 6, 27}}) {
        const QImage image = led.Render(scale.ratio);
        ASSERT_EQ(image.height(), qRound(45 * scale.ratio));
        const int t = scale.t;
        const int l = scale.l;
        const auto pixel = [&](QPoint at) {
            return QColor(image.pixel(at));
        };
        // The start is centred as if the colon took a digit's cell too.
        int x = (image.width() - 5 * (3 * t + l)) / 2;
        const int y = 1;
        const std::array<const char*, 5> lit{"bc", "abcdef", ":", "abcdef", "abc"};
        for (const char* segments : lit) {
            const QString on = QString::fromLatin1(segments);
            if (on == QStringLiteral(":")) {
                for (const QPoint dot :
                     {QPoint(x + 2 * t, y + l + 1), QPoint(x + 2 * t, y + t + 2 * l + 1)}) {
                    EXPECT_EQ(pixel(dot), Segments) << scale.ratio;
                    EXPECT_EQ(pixel(dot + QPoint(t, 0)), Background) << scale.ratio;
                }
                x += t + l;
                continue;
            }
            const std::array<QLine, 7> cell = Segments7(x, y, t, l);
            for (int index = 0; index < 7; ++index) {
                const QLine line = cell.at(static_cast<std::size_t>(index));
                const QPoint middle = (line.p1() + line.p2()) / 2;
                const QPoint aside = line.dy() == 0 ? QPoint(0, -t) : QPoint(t, 0);
                const char name = static_cast<char>('a' + index);
                EXPECT_EQ(pixel(middle), on.contains(QLatin1Char(name)) ? Segments : Background)
                    << segments << ' ' << name << " at " << scale.ratio;
                EXPECT_EQ(pixel(middle + aside), Background) << segments << ' ' << name;
            }
            x += 3 * t + l;
        }
    }
    // What the window shows is the same picture.
    EXPECT_EQ(led.grab().toImage().convertToFormat(QImage::Format_RGB32), led.Render(1.0));
}

} // namespace
} // namespace trek
