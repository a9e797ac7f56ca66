// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>

namespace trek {

// A static text drawn as seven-segment digits, for the factory set-up's date and time. Strokes
// are laid out in device pixels, so the display stays sharp at any scale. Screen readers read
// its text.
class CLedClockStatic final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLedClockStatic)
public:
    explicit CLedClockStatic(QWidget* parent = nullptr);

    void SetText(const QString& text);
    // An invalid colour takes the style's button face for the background and its button text
    // for the segments.
    void SetBkColor(const QColor& color);
    void SetSegmentColor(const QColor& color);

    // What the display shows at this device pixel ratio, one image pixel per device pixel.
    QImage Render(qreal devicePixelRatio) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background = Qt::black;
    QColor m_segments = QColor(0, 255, 0);
};

} // namespace trek
