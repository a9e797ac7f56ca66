#pragma once

#include <QString>

class QWidget;

namespace trek {

// A plain information box with an OK button. Skipped when NextAnswer holds an answer for it, so
// unattended runs never wait for a click.
void ShowMessageBox(QWidget* parent, const QString& title, const QString& message);

} // namespace trek
