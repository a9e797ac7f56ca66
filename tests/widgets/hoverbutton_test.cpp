// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/languages.h"
#include "widgets/colorlabel.h"
#include "widgets/hoverbutton2.h"
#include "widgets/pictures.h"
#include "widgets/wbmessages.h"

#include <QAccessible>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace trek {
namespace {

// A parent that records the private messages its children send it.
class MessageSink final : public QWidget
{
public:
    QList<std::pair<WbMessage, qintptr>> received;

protected:
    bool event(QEvent* event) override
    {
        if (const WbMessageEvent* message = WbMessageEvent::from(event)) {
            received.append({message->message(), message->first()});
            return true;
        }
        return QWidget::event(event);
    }
};

void MoveMouseOver(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

TEST(HoverButton, EveryMouseMoveTellsTheParent)
{
    MessageSink parent;
    auto* button = new CHoverButton2(&parent);
    button->setGeometry(0, 0, 120, 75);
    parent.show();
    MoveMouseOver(button, {10, 10});
    MoveMouseOver(button, {20, 12});
    ASSERT_EQ(parent.received.size(), 2);
    EXPECT_EQ(parent.received.at(0).first, WbMessage::HandCursor);
    EXPECT_EQ(parent.received.at(0).second, 0);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST(HoverButton, StretchesThePictureOverTheWholeFace)
{
    CHoverButton2 button;
    ASSERT_TRUE(button.LoadBitmap(pictures::WebButton));
    button.resize(180, 60); // not the picture's own proportions
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    const QImage face = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage picture = pictures::LoadPicture(pictures::WebButton, QSize(180, 60))
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(face.size(), picture.size());
    // Sample a grid well inside the rounded corners; the face is the picture stretched.
    for (int y = 8; y < 52; y += 11) {
        for (int x = 8; x < 172; x += 13) {
            EXPECT_EQ(face.pixelColor(x, y), picture.pixelColor(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(button.DrawSize(), QSize(180, 60));
}

TEST(HoverButton, EveryLanguageHasItsBadge)
{
    // The badges are gathered by file name, not listed: a language without its file, or a file
    // named after another code, would leave the language choice with an empty face.
    for (const Language& language : Languages) {
        CHoverButton2 button;
        EXPECT_TRUE(button.LoadBitmap(pictures::LanguageBadge(language.index)))
            << language.code.toString().toStdString();
        EXPECT_FALSE(pictures::NaturalSize(pictures::LanguageBadge(language.index)).isEmpty());
    }
    CHoverButton2 button;
    EXPECT_FALSE(button.LoadBitmap(pictures::LanguageBadge(LanguageCount)));
}

TEST(HoverButton, UnknownPictureLeavesTheFaceEmpty)
{
    CHoverButton2 button;
    EXPECT_FALSE(button.LoadBitmap(4711));
    button.resize(50, 30);
    QPixmap face(50, 30);
    face.fill(Qt::magenta);
    button.render(&face, {}, {}, QWidget::DrawChildren);
    const QImage image = face.toImage();
    EXPECT_EQ(image.pixelColor(25, 15), QColor(Qt::magenta));
}

TEST(ColorLabel, DrawsItsTextInItsOwnColour)
{
    CColorLabel label(QStringLiteral("MMMM"));
    QFont big = label.font();
    big.setPixelSize(24);
    big.setBold(true);
    label.setFont(big);
    label.resize(120, 40);
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    const QColor red(220, 0, 0);
    label.SetTextColor(red);
    const QImage image = label.grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x) {
            found = image.pixelColor(x, y) == red;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(image.pixelColor(1, 1), label.BkColor());
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("MMMM"));
}

} // namespace
} // namespace trek
