// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

namespace trek {

// A label with its own text and background colours, independent of the style. The text is drawn
// in its colour where that reads on the background shown (the label's own, or its parent's when
// it does not fill its background), and otherwise in that colour moved towards black or white.
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

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyColors();
    QColor ShownBackground() const;

    QColor m_backgroundColor;
    QColor m_textColor = Qt::black;
    bool m_applying = false;
};

} // namespace trek
