// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace trek {

// A decorative picture that fills as much of the widget as its proportions allow, drawn afresh
// at the screen's pixel density whenever the size changes, so it is never blurred.
class CPictureView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPictureView)
public:
    explicit CPictureView(QWidget* parent = nullptr);

    // Takes picture `resourceId` (see widgets/pictures.h); false when there is none.
    bool SetPicture(int resourceId);
    int PictureId() const { return m_pictureId; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_pictureId = 0;
    QPixmap m_rendered; // at the last painted size times the pixel ratio
};

} // namespace trek
