// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace trek {

// A drop-down list that screen readers know by its accessible name and read its choice as its
// value. Qt's own accessible combo box on Linux is named after the current choice, so a row of
// number lists would be read as "00", "00", "00".
class CNamedComboBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNamedComboBox)
public:
    explicit CNamedComboBox(QWidget* parent = nullptr);
};

} // namespace trek
