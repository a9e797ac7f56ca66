#include "app/startup.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "platform/atomicfile.h"
#include "platform/systemservices.h"

#include <QDir>
#include <QFile>

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

bool HandOverToUpdater(const QByteArray& updaterImage)
{
    const AppState& state = appState();
    platform::SystemServices* system = appState().services.system;
    if (!state.updateReady || !state.values.enableUpgrade || system == nullptr ||
        updaterImage.isEmpty()) {
        return false;
    }
    const QString folder = childPath(state.workingFolder, QStringLiteral("tmp"));
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const QString program = childPath(folder, QStringLiteral("TrekkomatUpdater.BIN"));
    if (!platform::writeFileAtomically(program, updaterImage).ok()) {
        return false;
    }
    const QFileDevice::Permissions executable = QFile::permissions(program) |
                                                QFileDevice::ExeOwner | QFileDevice::ExeUser |
                                                QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!QFile::setPermissions(program, executable)) {
        return false;
    }
    return system->startProgram(program, {});
}

} // namespace trek
