// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

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

// Where a verified new version waits for the updater: <working folder>/tmp/Trekkomat_K7_TMP.BIN.
QString DownloadedProgramPath(const QString& workingFolder);

// After the main window closed: when an update was fetched and "EnableUpgrade" is on, writes
// `updaterImage` to <working folder>/tmp/TrekkomatUpdater.BIN and starts it, telling it which
// program file to replace (`programPath`, the running one) and with which downloaded file.
// Fails with the reason when nothing was started, "nothing to hand over" included.
[[nodiscard]] Result<> HandOverToUpdater(const QByteArray& updaterImage,
                                         const QString& programPath);

} // namespace trek
