// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulatedwristbands.h"

#include "app/appstate.h"
#include "device/clockfile.h"
#include "device/discovery.h"
#include "device/localclock.h"
#include "device/passthrough.h"

#include <QDir>

namespace trek::test {

namespace {
const QString SettingsPath = QStringLiteral("/memory/Trekkomat2.INI");
}

void SimulatedWristbandTest::SetUp()
{
    resetAppState();
    appState().services.profile = &profile;
    appState().settingsPath = SettingsPath;
    appState().ui = &ui;
    appState().hooks.retryWait = [](int) {
    };
    appState().hooks.localClock = [this] {
        return pcNow;
    };
    ResetWristbandSettings(true);
}

void SimulatedWristbandTest::TearDown()
{
    resetAppState();
    m_sim.reset();
}

void SimulatedWristbandTest::useDrives(const QStringList& options)
{
    QStringList absolute;
    for (const QString& option : options) {
        const qsizetype at = option.indexOf(u'=');
        const qsizetype colon = option.indexOf(u':', at);
        const qsizetype pathAt = colon > 0 ? colon + 1 : at + 1;
        absolute << option.left(pathAt) + dir.filePath(option.mid(pathAt));
    }
    auto made = platform::createSimulatedDriveServices(absolute, [this] { return pcNow; });
    ASSERT_TRUE(made.ok()) << made.error().toStdString();
    m_sim = std::move(*made);
    m_sim->installInto(appState().services);
    QObject::connect(m_sim->drives.get(), &platform::DriveTable::volumeRemoved,
                     [](std::uint32_t mask) { OnVolumeRemoval(mask); });
    QObject::connect(m_sim->drives.get(), &platform::DriveTable::volumeArrived,
                     [](std::uint32_t mask) { OnVolumeArrival(mask); });
    QObject::connect(m_sim->drives.get(), &platform::DriveTable::devicesChanged,
                     [] { OnDeviceChange(); });
}

QString SimulatedWristbandTest::makeFolder(const QString& name, const QStringList& files)
{
    QDir().mkpath(dir.filePath(name));
    for (const QString& file : files) {
        dir.write(name + u'/' + file, QByteArray("1"));
    }
    return dir.filePath(name);
}

QString SimulatedWristbandTest::makeImage(const QString& name)
{
    return dir.write(name, QByteArray(4 * 512, '\0'));
}

emu::PassThroughWristband& SimulatedWristbandTest::wristbandAt(char letter)
{
    emu::PassThroughWristband* wristband = table().wristband(table().indexOfLetter(letter));
    EXPECT_NE(wristband, nullptr);
    return *wristband;
}

emu::PassThroughWristband& SimulatedWristbandTest::starWristband()
{
    const int index = table().indexOfDevicePath(table().diskDevicePaths().value(0));
    emu::PassThroughWristband* wristband = table().wristband(index);
    EXPECT_NE(wristband, nullptr);
    return *wristband;
}

int SimulatedWristbandTest::readDisplayMode() const
{
    return profile.getInt(QStringLiteral("Advance"), QStringLiteral("DisplayMode"), -1,
                          SettingsPath);
}

} // namespace trek::test
