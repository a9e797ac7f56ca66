// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/colorlabel.h"

#include "widgets/readablecolour.h"

#include <QEvent>
#include <QPalette>

namespace trek {

CColorLabel::CColorLabel(QWidget* parent) : CColorLabel(QString(), parent) {}

CColorLabel::CColorLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_backgroundColor(palette().color(QPalette::Button))
{
    setAutoFillBackground(true);
    ApplyColors();
}

void CColorLabel::SetTextColor(const QColor& color)
{
    m_textColor = color;
    ApplyColors();
    repaint();
}

void CColorLabel::SetBkColor(const QColor& color)
{
    m_backgroundColor = color;
    ApplyColors();
    repaint();
}

void CColorLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // The desktop's scheme may change under a label that shows its parent's background.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) {
        ApplyColors();
    }
}

void CColorLabel::showEvent(QShowEvent* event)
{
    // The owner may have stopped the label filling its background since the colours were set.
    ApplyColors();
    QLabel::showEvent(event);
}

QColor CColorLabel::ShownBackground() const
{
    if (autoFillBackground() || parentWidget() == nullptr) {
        return m_backgroundColor;
    }
    return parentWidget()->palette().color(parentWidget()->backgroundRole());
}

void CColorLabel::ApplyColors()
{
    if (m_applying) {
        return; // the palette set below comes back as a change
    }
    m_applying = true;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, m_backgroundColor);
    colors.setColor(QPalette::WindowText, ReadableOn(ShownBackground(), m_textColor));
    setPalette(colors);
    m_applying = false;
}

} // namespace trek
