// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/textprogressbar.h"

#include "widgets/readablecolour.h"
#include "widgets/textprogressbaraccessible.h"

#include <QAccessible>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <cmath>
#include <limits>

namespace trek {

namespace {

// Huge positions must not overflow the pixel and percent arithmetic.
int TruncToInt(double value)
{
    constexpr double Low = std::numeric_limits<int>::min();
    constexpr double High = std::numeric_limits<int>::max();
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(value, Low, High)));
}

} // namespace

CTextProgressBar::CTextProgressBar(QWidget* parent)
    : QWidget(parent), m_barColor(palette().color(QPalette::Highlight)),
      m_backgroundColor(palette().color(QPalette::Base)),
      m_textColor(palette().color(QPalette::Highlight)),
      m_textOverBarColor(palette().color(QPalette::Base))
{
    InstallTextProgressBarAccessibility();
    // Every pixel is painted by paintEvent, so there is no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool CTextProgressBar::HasWindow() const
{
    return testAttribute(Qt::WA_WState_Created);
}

double CTextProgressBar::Fraction() const
{
    if (m_maximum <= m_minimum) {
        return 0.0;
    }
    return (static_cast<double>(m_position) - m_minimum) /
           (static_cast<double>(m_maximum) - m_minimum);
}

int CTextProgressBar::FilledWidth() const
{
    return TruncToInt(Fraction() * width());
}

QString CTextProgressBar::DisplayedText() const
{
    if (!m_text.isEmpty()) {
        return m_text;
    }
    return QString::asprintf("%d%%", TruncToInt(Fraction() * 100.0));
}

int CTextProgressBar::SetPos(int position)
{
    const int previous = m_position;
    m_position = position;
    // Without a window there is nothing to redraw; the first paint shows the position.
    if (HasWindow() && m_maximum > m_minimum) {
        const int filled = FilledWidth();
        if (filled != m_drawnWidth) {
            m_drawnWidth = filled;
            RedrawNow();
        }
    }
    if (previous != position) {
        QAccessibleValueChangeEvent change(this, position);
        QAccessible::updateAccessibility(&change);
    }
    return previous;
}

void CTextProgressBar::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void CTextProgressBar::SetShowText(bool show)
{
    const bool changed = show != m_showText;
    m_showText = show;
    if (changed && HasWindow()) {
        RedrawNow();
    }
}

void CTextProgressBar::SetBarColor(const QColor& color)
{
    m_barColor = color;
}

void CTextProgressBar::SetTextColor(const QColor& color)
{
    m_textColor = color;
}

void CTextProgressBar::SetWindowText(const QString& text)
{
    if (text == m_text) {
        return;
    }
    m_text = text;
    if (HasWindow()) {
        RedrawNow();
    }
    QAccessibleEvent change(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&change);
}

void CTextProgressBar::RedrawNow()
{
    repaint();
}

QSize CTextProgressBar::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QStringLiteral("0000%")) * 4, metrics.height() + 6};
}

QSize CTextProgressBar::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("100%")), fontMetrics().height() + 2};
}

void CTextProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_drawnWidth = -1;
}

void CTextProgressBar::paintEvent(QPaintEvent* /*event*/)
{
    if (m_maximum <= m_minimum) {
        return;
    }
    const QRect client = rect();
    // Composed off-screen and copied in one step, so the text never flickers over the bar.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(client.size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        const double fraction = Fraction();
        const int filled = TruncToInt(client.width() * fraction);
        const QRect filledRect(client.left(), client.top(), std::clamp(filled, 0, client.width()),
                               client.height());
        const QRect restRect(filledRect.right() + 1, client.top(),
                             client.width() - filledRect.width(), client.height());
        painter.fillRect(filledRect, m_barColor);
        painter.fillRect(restRect, m_backgroundColor);
        if (m_showText) {
            const QString text = DisplayedText();
            painter.setFont(font());
            const int flags = Qt::AlignCenter | Qt::TextSingleLine;
            painter.setClipRect(filledRect);
            // The colours set may come from another scheme than the palette around them.
            painter.setPen(ReadableOn(m_barColor, m_textOverBarColor));
            painter.drawText(client, flags, text);
            painter.setClipRect(restRect);
            painter.setPen(ReadableOn(m_backgroundColor, m_textColor));
            painter.drawText(client, flags, text);
        }
    }
    QPainter screen(this);
    screen.drawPixmap(0, 0, buffer);
}

} // namespace trek
