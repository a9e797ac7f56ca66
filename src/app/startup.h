#pragma once

#include <QByteArray>
#include <QString>

namespace trek {

// Working folder from a current directory: one trailing separator is dropped, except the one of
// the root folder.
QString TrimWorkingFolder(const QString& currentDirectory);
QString SettingsFilePath(const QString& workingFolder);

// Fills the working folder, settings path, platform code and update-ready flag of appState().
void InitialiseStartupValues(const QString& currentDirectory);

// After the main window closed: when an update was fetched and "EnableUpgrade" is on, writes
// `updaterImage` to <working folder>/tmp/TrekkomatUpdater.BIN and starts it. True when started.
bool HandOverToUpdater(const QByteArray& updaterImage);

} // namespace trek
