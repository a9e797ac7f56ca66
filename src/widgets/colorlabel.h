#pragma once

#include <QColor>
#include <QLabel>

namespace trek {

// A label with its own text and background colours, independent of the style.
class CColorLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CColorLabel)
public:
    explicit CColorLabel(QWidget* parent = nullptr);
    explicit CColorLabel(const QString& text, QWidget* parent = nullptr);

    // Takes effect at once: the label is redrawn before this returns.
    void SetTextColor(const QColor& color);
    void SetBkColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }
    QColor BkColor() const { return m_backgroundColor; }

private:
    void applyColors();

    QColor m_backgroundColor;
    QColor m_textColor = Qt::black;
};

} // namespace trek
