// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace trek {

// A label that shows a figure next to its caption. Screen readers take a plain label's text as
// its name, so a figure named by its caption would never be read; this one is named by its
// caption (setAccessibleName) and gives its figure as its value and as its text.
class CValueLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CValueLabel)
public:
    explicit CValueLabel(QWidget* parent = nullptr);

    // Shows the figure and tells screen readers that it changed.
    void SetValue(const QString& value);
};

} // namespace trek
