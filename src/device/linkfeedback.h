#pragma once

#include <QString>
#include <QStringList>

namespace trek {

// What the wristband code shows the user, through appState().ui. Every call does nothing when no
// user interface is installed (tests, the first moments of start-up).
void ShowStatus(const QString& text);
void ShowDriveLabel(const QString& text);
void ShowMessage(const QString& text);
void PumpMessages();
void NotifyDataChanged();
void NotifyRefresh();

// A text of the language table with its printf-style fields (%s, %c, %d, with an optional width)
// replaced in order by `values`; "%%" is a percent sign. Filling by hand keeps a translated row
// with a field the code does not expect from reading past the values.
QString FillText(const QString& format, const QStringList& values);

// "Not found K7 Stepo-Disk" in the current language: the drive label while nothing is connected.
QString NotFoundLabel();
// The drive label of a connected wristband: its model, and its letter unless it has none ('*').
QString ConnectedLabel(char letter);

} // namespace trek
