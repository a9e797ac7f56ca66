// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "platform/atomicfile.h"
#include "platform/regularfile.h"
#include "platform/systemservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trek {

namespace {

bool isRoot(const QString& folder)
{
    // "/" here, and a drive root such as "C:/" where drives have letters.
    return folder == u"/" || (folder.size() == 3 && folder[1] == u':' && folder[2] == u'/');
}

// A root folder already ends in its separator; every other folder gets one.
QString childPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(u'/')) {
        return folder + name;
    }
    return folder + u'/' + name;
}

} // namespace

QString TrimWorkingFolder(const QString& currentDirectory)
{
    // The whole path is kept, however long: a shortened one would name another folder and the
    // settings and store would land there.
    QString folder = QDir::fromNativeSeparators(currentDirectory);
    if (folder.endsWith(u'/') && !isRoot(folder)) {
        folder.chop(1);
    }
    return folder;
}

QString SettingsFilePath(const QString& workingFolder)
{
    return childPath(workingFolder, QStringLiteral("Trekkomat2.INI"));
}

void InitialiseStartupValues(const QString& currentDirectory)
{
    AppState& state = appState();
    state.workingFolder = TrimWorkingFolder(currentDirectory);
    state.settingsPath = SettingsFilePath(state.workingFolder);
    const platform::SystemServices* system = appState().services.system;
    state.platformGeneration = system != nullptr ? system->platformGeneration() : 0;
    state.updateReady = false;
}

void StartUp(const QString& currentDirectory)
{
    InitialiseStartupValues(currentDirectory);
    ReadLanguageSetting();
    ReadStartSettings();

    AppState& state = appState();
    state.link = WristbandLink{};
    ResetWristbandSettings(true);
    // The wristband's display stays lit from 8 to 18 o'clock unless the user says otherwise.
    state.wristband.ledPowerControl = false;
    state.wristband.ledPowerFromHour = 8;
    state.wristband.ledPowerToHour = 18;
}

QString DownloadedProgramPath(const QString& workingFolder)
{
    return childPath(childPath(workingFolder, QStringLiteral("tmp")),
                     QStringLiteral("Trekkomat_K7_TMP.BIN"));
}

Result<> HandOverToUpdater(const QByteArray& updaterImage, const QString& programPath)
{
    const AppState& state = appState();
    platform::SystemServices* system = appState().services.system;
    if (!state.updateReady || !state.values.enableUpgrade) {
        return fail(QStringLiteral("No update to hand over."));
    }
    if (system == nullptr || updaterImage.isEmpty()) {
        return fail(QStringLiteral("This program holds no updater."));
    }
    const QString folder = childPath(state.workingFolder, QStringLiteral("tmp"));
    if (Result<> made = platform::makePrivateFolders(folder); !made) {
        return made;
    }
    const QString program = childPath(folder, QStringLiteral("TrekkomatUpdater.BIN"));
    if (Result<> written = platform::writeFileAtomically(program, updaterImage); !written) {
        return written;
    }
    // Only this user starts it; its rights are otherwise those the file was given or had.
    const QFileDevice::Permissions executable =
        QFile::permissions(program) | QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (!QFile::setPermissions(program, executable)) {
        return fail(QStringLiteral("Cannot make %1 executable.").arg(program));
    }
    // The program file by the path it runs from: a file of the same name in the working folder
    // may be another one entirely.
    const QStringList arguments{QFileInfo(programPath).absoluteFilePath(),
                                DownloadedProgramPath(state.workingFolder)};
    if (!system->startProgram(program, arguments)) {
        return fail(QStringLiteral("Cannot start %1.").arg(program));
    }
    return {};
}

} // namespace trek
