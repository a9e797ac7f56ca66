// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/hoverbutton2.h"

#include "widgets/pictures.h"
#include "widgets/wbmessages.h"

#include <QPainter>
#include <QResizeEvent>

namespace trek {

CHoverButton2::CHoverButton2(QWidget* parent) : QAbstractButton(parent)
{
    // The face is the picture alone: no focus frame, no pressed look, no hover look.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CHoverButton2::SetDrawSize(int width, int height)
{
    m_width = width;
    m_height = height;
    update();
}

bool CHoverButton2::LoadBitmap(int resourceId)
{
    if (pictures::PicturePath(resourceId).isEmpty()) {
        m_bitmapId = 0;
        m_picture = QPixmap();
        update();
        return false;
    }
    m_bitmapId = resourceId;
    m_picture = QPixmap();
    update();
    return true;
}

QSize CHoverButton2::sizeHint() const
{
    const QSize natural = pictures::NaturalSize(m_bitmapId);
    return natural.isEmpty() ? QSize(120, 90) : natural;
}

bool CHoverButton2::hasHeightForWidth() const
{
    return !pictures::NaturalSize(m_bitmapId).isEmpty();
}

int CHoverButton2::heightForWidth(int width) const
{
    const QSize natural = pictures::NaturalSize(m_bitmapId);
    if (natural.isEmpty()) {
        return -1;
    }
    return width * natural.height() / natural.width();
}

void CHoverButton2::paintEvent(QPaintEvent* /*event*/)
{
    if (m_bitmapId == 0 || m_width <= 0 || m_height <= 0) {
        return;
    }
    // Drawn here rather than at each resize: a layout settling resizes the button several times
    // before anything is shown.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qRound(m_width * ratio), qRound(m_height * ratio));
    if (m_picture.size() != pixels || !qFuzzyCompare(m_picture.devicePixelRatio(), ratio)) {
        m_picture = pictures::LoadPicture(m_bitmapId, pixels);
        m_picture.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, m_width, m_height), m_picture);
}

void CHoverButton2::mouseMoveEvent(QMouseEvent* event)
{
    WbMessageEvent::send(parentWidget(), WbMessage::HandCursor, 0, 0);
    QAbstractButton::mouseMoveEvent(event);
}

void CHoverButton2::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    SetDrawSize(event->size().width(), event->size().height());
}

} // namespace trek
