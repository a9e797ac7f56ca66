// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace trek {

// A label whose bold text grows and shrinks with the label: the font height is a fixed part of
// the label's height, made smaller only when the text would not fit the width.
class CFittedLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFittedLabel)
public:
    // `heightPart` is the font height as a part of the label height; `lines` is how many lines
    // of the normal font the label asks the layout for.
    CFittedLabel(double heightPart, double lines, QWidget* parent = nullptr);

    void setFittedText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitFont();

    double m_heightPart;
    double m_lines;
    QFont m_baseFont; // the font the layout hints are measured with
    bool m_fitting = false;
    QString m_fittedText; // what the font was last fitted to, so it is not fitted twice
    QSize m_fittedSize;
};

} // namespace trek
