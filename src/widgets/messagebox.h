// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace trek {

// A plain information box with an OK button.
void ShowMessageBox(QWidget* parent, const QString& title, const QString& message);

} // namespace trek
