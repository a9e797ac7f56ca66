// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pictureview.h"

#include "widgets/pictures.h"

#include <QPainter>

namespace trek {

CPictureView::CPictureView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

bool CPictureView::SetPicture(int resourceId)
{
    m_pictureId = pictures::PicturePath(resourceId).isEmpty() ? 0 : resourceId;
    m_rendered = QPixmap();
    updateGeometry();
    update();
    return m_pictureId != 0;
}

QSize CPictureView::sizeHint() const
{
    const QSize natural = pictures::NaturalSize(m_pictureId);
    return natural.isEmpty() ? QSize(100, 80) : natural;
}

void CPictureView::paintEvent(QPaintEvent* /*event*/)
{
    const QSize natural = pictures::NaturalSize(m_pictureId);
    if (natural.isEmpty()) {
        return;
    }
    const QSize fitted = natural.scaled(size(), Qt::KeepAspectRatio);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qRound(fitted.width() * ratio), qRound(fitted.height() * ratio));
    if (m_rendered.size() != pixels) {
        m_rendered = pictures::LoadPicture(m_pictureId, pixels);
        m_rendered.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap((width() - fitted.width()) / 2, (height() - fitted.height()) / 2,
                       m_rendered);
}

} // namespace trek
