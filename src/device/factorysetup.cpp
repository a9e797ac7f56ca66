// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/factorysetup.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "app/settingstable.h"
#include "app/userinterface.h"
#include "device/clockfile.h"
#include "device/discovery.h"
#include "device/diskobject.h"
#include "device/rootfiles.h"
#include "platform/drivetable.h"

namespace trek {

namespace {

constexpr char FirstLetter = 'D';
constexpr char LastLetter = 'Z';
constexpr int MaxDevicePathLength = 1024;

} // namespace

PreCopySettings ReadPreCopySettings()
{
    return {setting::PreCopyEnable.Read(), setting::PreCopyPath.Read()};
}

FactorySetup::FactorySetup(PreCopySettings preCopy, QObject* parent)
    : QObject(parent), m_preCopy(std::move(preCopy))
{
    if (platform::DriveTable* drives = appState().services.drives) {
        connect(drives, &platform::DriveTable::devicesChanged, this, &FactorySetup::Run);
    }
}

QString FactorySetup::StatusText() const
{
    switch (m_stage) {
    case FactoryStage::Opened:
    case FactoryStage::Waiting:
        break;
    case FactoryStage::Constructing:
        return FillText(GetLangText(TextRow::DiskConstructing),
                        {QString(QChar::fromLatin1(m_current))});
    case FactoryStage::Done:
        return GetLangText(TextRow::SetupOk);
    case FactoryStage::Failed:
        return GetLangText(TextRow::SetupFailed);
    }
    return GetLangText(TextRow::PlugInAutoSetup);
}

void FactorySetup::Run()
{
    // The set-up lets the window's events run, and a device change among them must not start a
    // second set-up in the middle of the first: it is taken up when the first has ended.
    if (m_stopped) {
        return;
    }
    if (m_running) {
        m_pending = true;
        return;
    }
    m_running = true;
    do {
        m_pending = false;
        RunOnce();
    } while (m_pending && !m_stopped);
    m_running = false;
}

void FactorySetup::Stop()
{
    m_stopped = true;
}

void FactorySetup::RunOnce()
{
    const char letter = FindWristband();
    if (letter == 0) {
        ReleaseLinkVolume();
        m_current = 0;
        m_busy = false;
        Enter(FactoryStage::Waiting);
        return;
    }
    if (m_busy) {
        return; // the last one, or one plugged in beside it, is still there
    }
    m_busy = true;
    m_current = letter;
    Enter(FactoryStage::Constructing);
    user().pumpMessages();

    const Result<> done = SetUpWristband(letter);
    if (!done) {
        m_lastError = done.error();
        Enter(FactoryStage::Failed);
        return;
    }
    m_lastError.clear();
    ++m_count;
    Enter(FactoryStage::Done);
    emit succeeded(m_count);
}

char FactorySetup::FindWristband()
{
    const platform::DriveTable* drives = appState().services.drives;
    if (drives == nullptr) {
        return 0;
    }
    const std::uint32_t mask = drives->logicalDriveMask();
    for (char letter = FirstLetter; letter <= LastLetter; ++letter) {
        if ((mask & platform::driveBit(letter)) != 0 && ProbeDrive(letter)) {
            return letter;
        }
    }
    const QStringList paths = drives->diskDevicePaths();
    for (const QString& path : paths) {
        if (!path.isEmpty() && path.size() <= MaxDevicePathLength && ProbeDevicePath(path)) {
            return '*';
        }
        user().pumpMessages();
    }
    return 0;
}

Result<> FactorySetup::SetUpWristband(char letter) const
{
    // Without a drive letter there is no disk to write to; the probe left the device open.
    if (letter == '*') {
        return SendSettingsBlock();
    }
    const bool copies = m_preCopy.enabled && !m_preCopy.path.isEmpty();
    if (copies && m_preCopy.path.size() > MaxPreCopyPathLength) {
        return fail(QStringLiteral("The pre-copy folder's path has %1 characters, more than the "
                                   "%2 the set-up takes: %3")
                        .arg(m_preCopy.path.size())
                        .arg(MaxPreCopyPathLength)
                        .arg(m_preCopy.path));
    }
    // CLOCK.TXT and USBWATCH.DAT go through the clock file's writer, which makes them durable;
    // the operator is told to unplug only after it has answered.
    if (Result<> written = WriteSetupClockFile(letter); !written) {
        return fail(QStringLiteral("Writing CLOCK.TXT and USBWATCH.DAT failed: ") +
                    written.error());
    }
    if (!copies) {
        return {};
    }
    // A relative folder is taken in the working folder, whatever the current one is.
    return CDiskObject(appState().workingFolder)
        .CopyFolderTree(m_preCopy.path, DriveRootOf(letter));
}

void FactorySetup::Enter(FactoryStage stage)
{
    m_stage = stage;
    emit stageChanged(stage);
}

} // namespace trek
