// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace trek {

// A progress bar that paints everything itself: the filled part, the rest, and one line of text
// (its own, or the percentage) that changes colour where it crosses the edge of the filled part.
// It repaints only when the filled width in pixels changes, so callers may set the position as
// often as they like during long work.
class CTextProgressBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTextProgressBar)
public:
    explicit CTextProgressBar(QWidget* parent = nullptr);

    // Returns the previous position. A bar not shown yet keeps the position and draws it when it
    // first appears.
    int SetPos(int position);
    int GetPos() const { return m_position; }
    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

    void SetShowText(bool show);
    bool ShowText() const { return m_showText; }
    void SetBarColor(const QColor& color);
    // Colour of the text where it lies over the unfilled part. Either text colour is drawn moved
    // towards black or white where it would not read on the colour under it.
    void SetTextColor(const QColor& color);
    QColor BarColor() const { return m_barColor; }
    QColor BackgroundColor() const { return m_backgroundColor; }
    QColor TextColor() const { return m_textColor; }
    QColor TextOverBarColor() const { return m_textOverBarColor; }

    // The text replaces the percentage; an empty text brings the percentage back.
    void SetWindowText(const QString& text);
    QString GetWindowText() const { return m_text; }

    // What the bar shows as text right now (the text or the percentage), whether or not drawn.
    QString DisplayedText() const;
    // Filled part as a fraction of the range; 0 for an empty range.
    double Fraction() const;
    // Width in pixels of the filled part for the current size.
    int FilledWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool HasWindow() const;
    void RedrawNow();

    int m_position = 0;
    int m_maximum = 100;
    int m_minimum = 0;
    QString m_text;
    bool m_showText = true;
    int m_drawnWidth = -1; // -1 forces the next position change to repaint
    QColor m_barColor;
    QColor m_backgroundColor;
    QColor m_textColor;
    QColor m_textOverBarColor;
};

} // namespace trek
