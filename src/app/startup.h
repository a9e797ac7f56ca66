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

// What both programs do before their first page or command, once the platform services are in
// appState().services: the paths, the interface language, the values of the settings file, a
// link with no wristband, and the wristband defaults.
void StartUp(const QString& currentDirectory);

// After the main window closed: when an update was fetched and "EnableUpgrade" is on, writes
// `updaterImage` to <working folder>/tmp/TrekkomatUpdater.BIN and starts it. True when started.
bool HandOverToUpdater(const QByteArray& updaterImage);

} // namespace trek
