// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fittedlabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace trek {

CFittedLabel::CFittedLabel(double heightPart, double lines, QWidget* parent)
    : QLabel(parent), m_heightPart(heightPart), m_lines(lines), m_baseFont(font())
{
    setAlignment(Qt::AlignCenter);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void CFittedLabel::setFittedText(const QString& text)
{
    setText(text);
    // A label not yet shown has no size of its own: it fits its font when it is shown.
    if (isVisible()) {
        fitFont();
    }
}

QSize CFittedLabel::sizeHint() const
{
    // Measured with the normal font, so the big font never feeds back into the layout.
    const QFontMetrics metrics(m_baseFont);
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 12,
            static_cast<int>(metrics.height() * m_lines)};
}

QSize CFittedLabel::minimumSizeHint() const
{
    const QFontMetrics metrics(m_baseFont);
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 6, metrics.height()};
}

void CFittedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fitFont();
}

void CFittedLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    fitFont();
}

void CFittedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting) {
        m_baseFont = font();
        m_fittedText.clear();
        fitFont();
    }
}

void CFittedLabel::fitFont()
{
    if (text() == m_fittedText && contentsRect().size() == m_fittedSize) {
        return;
    }
    m_fittedText = text();
    m_fittedSize = contentsRect().size();
    const int available = contentsRect().width() - 4;
    int pixels = std::max(6, static_cast<int>(contentsRect().height() * m_heightPart));
    QFont fitted(QStringLiteral("Arial"));
    fitted.setWeight(QFont::ExtraBold);
    fitted.setPixelSize(pixels);
    // Long texts (a drive label naming the wristband) shrink instead of being cut off.
    while (pixels > 6 && QFontMetrics(fitted).horizontalAdvance(text()) > available) {
        pixels = std::max(6, pixels * 9 / 10);
        fitted.setPixelSize(pixels);
    }
    m_fitting = true;
    setFont(fitted);
    m_fitting = false;
}

} // namespace trek
