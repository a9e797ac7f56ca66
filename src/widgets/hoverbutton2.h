// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace trek {

// A button that is nothing but its picture, stretched over the whole face. It tells its parent
// about every mouse move over it (WbMessage::HandCursor, first 0) so the parent decides the
// cursor.
class CHoverButton2 final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CHoverButton2)
public:
    explicit CHoverButton2(QWidget* parent = nullptr);

    // The size the picture is stretched to. It follows the button's own size when the layout
    // resizes it; owners that want another area set it after a resize.
    void SetDrawSize(int width, int height);
    QSize DrawSize() const { return {m_width, m_height}; }

    // Takes picture `resourceId` (see widgets/pictures.h). False when there is no such picture,
    // in which case the face stays empty.
    bool LoadBitmap(int resourceId);
    int BitmapId() const { return m_bitmapId; }

    QSize sizeHint() const override;
    // Keeps the picture's proportions when a layout sizes the button.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitmapId = 0;
    QPixmap m_picture; // drawn at the face size times the device pixel ratio, when painted
};

} // namespace trek
