#include "widgets/colorlabel.h"

#include <QPalette>

namespace trek {

CColorLabel::CColorLabel(QWidget* parent) : CColorLabel(QString(), parent) {}

CColorLabel::CColorLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_backgroundColor(palette().color(QPalette::Button))
{
    setAutoFillBackground(true);
    applyColors();
}

void CColorLabel::SetTextColor(const QColor& color)
{
    m_textColor = color;
    applyColors();
    repaint();
}

void CColorLabel::SetBkColor(const QColor& color)
{
    m_backgroundColor = color;
    applyColors();
    repaint();
}

void CColorLabel::applyColors()
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, m_backgroundColor);
    colors.setColor(QPalette::WindowText, m_textColor);
    setPalette(colors);
}

} // namespace trek
