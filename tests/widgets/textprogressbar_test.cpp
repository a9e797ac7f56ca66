// SPDX-License-Identifier: GPL-3.0-or-later
#include "paintcounter.h"
#include "widgets/textprogressbar.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QColor Bar(0, 0, 200);
const QColor TextOverRest(200, 0, 0);

// A shown 200 x 24 bar with colours that cannot be mistaken for each other.
class TextProgressBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bar.setFixedSize(200, 24);
        QFont big = bar.font();
        big.setPixelSize(18);
        big.setBold(true);
        bar.setFont(big);
        bar.SetBarColor(Bar);
        bar.SetTextColor(TextOverRest);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    QImage picture() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // Columns (x) where some pixel differs from the plain two-colour bar: where text was drawn.
    static std::pair<int, int> inkColumns(const QImage& image, int filled, QColor rest)
    {
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            const QColor plain = x < filled ? Bar : rest;
            for (int y = 0; y < image.height(); ++y) {
                if (image.pixelColor(x, y) != plain) {
                    if (first < 0) {
                        first = x;
                    }
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

    QColor rest() const { return bar.BackgroundColor(); }

    CTextProgressBar bar;
};

TEST_F(TextProgressBarTest, WithoutTextOnlyTheTwoColourAreasAppear)
{
    bar.SetShowText(false);
    bar.SetPos(37);
    const QImage image = picture();
    // trunc(0.37 * 200) = 74 filled columns.
    EXPECT_EQ(bar.FilledWidth(), 74);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor expected = x < 74 ? Bar : rest();
            ASSERT_EQ(image.pixelColor(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_F(TextProgressBarTest, PercentageIsDrawnCentredOverTheBar)
{
    bar.SetPos(37);
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("37%"));
    const QImage image = picture();
    const auto [first, last] = inkColumns(image, 74, rest());
    ASSERT_GE(first, 0) << "no text drawn";
    const int textWidth = QFontMetrics(bar.font()).horizontalAdvance(QStringLiteral("37%"));
    EXPECT_LE(last - first + 1, textWidth + 2);
    EXPECT_GE(last - first + 1, textWidth / 2);
    // Centred: the margins left and right of the ink differ by a few pixels at most.
    EXPECT_NEAR(first, image.width() - 1 - last, 4);
}

TEST_F(TextProgressBarTest, TextTakesTheColourOfTheAreaItLiesOn)
{
    bar.SetWindowText(QStringLiteral("MMMMMMMMMM"));
    bar.SetPos(50); // the edge of the filled part runs through the middle of the text
    const QImage image = picture();
    const QColor overBar = bar.TextOverBarColor();
    bool overBarLeft = false;
    bool redLeft = false;
    bool redRight = false;
    bool overBarRight = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (x < 100) {
                overBarLeft |= pixel == overBar;
                redLeft |= pixel == TextOverRest;
            } else {
                redRight |= pixel == TextOverRest;
                overBarRight |= pixel == overBar && overBar != rest();
            }
        }
    }
    EXPECT_TRUE(overBarLeft);
    EXPECT_FALSE(redLeft);
    EXPECT_TRUE(redRight);
    EXPECT_FALSE(overBarRight);
}

TEST_F(TextProgressBarTest, OwnTextReplacesThePercentageUntilCleared)
{
    bar.SetPos(37);
    const QImage percent = picture();
    bar.SetWindowText(QStringLiteral("Ver 2.011"));
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("Ver 2.011"));
    const QImage own = picture();
    EXPECT_NE(own, percent);
    const auto [first, last] = inkColumns(own, 74, rest());
    EXPECT_GT(last - first, QFontMetrics(bar.font()).horizontalAdvance(QStringLiteral("37%")));
    bar.SetWindowText(QString());
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("37%"));
    EXPECT_EQ(picture(), percent);
}

TEST_F(TextProgressBarTest, RepaintsOnlyWhenTheFilledWidthChanges)
{
    bar.SetRange(0, 1000);
    test::PaintCounter paints(&bar);
    bar.SetPos(370);
    EXPECT_EQ(paints.count(), 1);
    bar.SetPos(370);
    EXPECT_EQ(paints.count(), 1) << "same position drew again";
    bar.SetPos(372); // 74.4 pixels: still 74
    EXPECT_EQ(paints.count(), 1) << "same filled width drew again";
    bar.SetPos(380);
    EXPECT_EQ(paints.count(), 2);
    bar.SetWindowText(QStringLiteral("x"));
    bar.SetWindowText(QStringLiteral("x"));
    EXPECT_EQ(paints.count(), 3);
    bar.SetShowText(true); // unchanged
    EXPECT_EQ(paints.count(), 3);
    bar.SetShowText(false);
    EXPECT_EQ(paints.count(), 4);
}

TEST_F(TextProgressBarTest, ResizeForcesTheNextPositionToRepaint)
{
    bar.SetPos(37);
    bar.setFixedSize(200, 30);
    QCoreApplication::processEvents();
    test::PaintCounter paints(&bar);
    bar.SetPos(37);
    EXPECT_EQ(paints.count(), 1);
}

TEST_F(TextProgressBarTest, SetPosReturnsThePreviousPosition)
{
    EXPECT_EQ(bar.SetPos(20), 0);
    EXPECT_EQ(bar.SetPos(-5), 20);
    EXPECT_EQ(bar.GetPos(), -5);
}

TEST_F(TextProgressBarTest, PositionAboveMaximumFillsEverythingAndShowsMoreThanHundred)
{
    bar.SetShowText(false);
    bar.SetPos(150);
    const QImage image = picture();
    for (int x = 0; x < image.width(); ++x) {
        ASSERT_EQ(image.pixelColor(x, image.height() / 2), Bar) << x;
    }
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("150%"));
}

TEST_F(TextProgressBarTest, EmptyRangeKeepsThePositionWithoutDrawing)
{
    bar.SetRange(5, 5);
    test::PaintCounter paints(&bar);
    EXPECT_EQ(bar.SetPos(3), 0);
    EXPECT_EQ(bar.GetPos(), 3);
    EXPECT_EQ(paints.count(), 0);
}

TEST_F(TextProgressBarTest, ExtremeValuesDoNotOverflow)
{
    bar.SetRange(INT_MIN, INT_MAX);
    bar.SetPos(INT_MAX);
    EXPECT_EQ(bar.FilledWidth(), 200);
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("100%"));
    bar.SetRange(0, 1);
    bar.SetPos(INT_MAX);
    EXPECT_EQ(bar.DisplayedText(), QString::asprintf("%d%%", INT_MAX));
    EXPECT_FALSE(picture().isNull());
}

// A bar on a page that was never shown (a tab not opened yet) must show its position once it is.
TEST(TextProgressBarWithoutWindow, KeepsThePositionAndDrawsItWhenShown)
{
    CTextProgressBar bar;
    bar.SetBarColor(Bar);
    bar.setFixedSize(200, 24);
    bar.SetShowText(false);
    EXPECT_EQ(bar.SetPos(40), 0);
    EXPECT_EQ(bar.SetPos(25), 40);
    EXPECT_EQ(bar.GetPos(), 25);
    EXPECT_EQ(bar.DisplayedText(), QStringLiteral("25%"));
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(49, 12), Bar);
    EXPECT_EQ(image.pixelColor(50, 12), bar.BackgroundColor());
}

TEST_F(TextProgressBarTest, AccessibilityShowsRoleValueAndText)
{
    bar.SetPos(37);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::ProgressBar);
    EXPECT_EQ(access->text(QAccessible::Value), QStringLiteral("37%"));
    QAccessibleValueInterface* value = access->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 37);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    bar.SetWindowText(QStringLiteral("No new version"));
    EXPECT_EQ(access->text(QAccessible::Value), QStringLiteral("No new version"));
    bar.SetShowText(false);
    EXPECT_TRUE(access->text(QAccessible::Value).isEmpty()) << "reports text nobody sees";
}

} // namespace
} // namespace trek
