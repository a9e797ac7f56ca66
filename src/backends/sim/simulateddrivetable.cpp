// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/simulateddrivetable.h"

#include "backends/sim/collectedmark.h"
#include "emulator/keptwristband.h"
#include "emulator/recordimage.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace trek::platform {

SimulatedDriveTable::SimulatedDriveTable(std::vector<DriveOption> options,
                                         emu::ClockFunction hostNow, QObject* parent)
    : DriveTable(parent), m_hostNow(std::move(hostNow))
{
    int starCount = 0;
    for (DriveOption& option : options) {
        Drive drive;
        drive.option = std::move(option);
        // Start-up may change the current folder; the drive must stay where it was given.
        drive.option.path = QFileInfo(drive.option.path).absoluteFilePath();
        if (drive.option.letter == DriveOption::NoLetter) {
            ++starCount;
            drive.devicePath = QLatin1String(DevicePathPrefix) +
                               (starCount > 1 ? QString::number(starCount) : QString());
        } else if (drive.option.isPassThrough()) {
            drive.emptyRoot = std::make_unique<QTemporaryDir>();
        }
        m_drives.push_back(std::move(drive));
    }
    // Drives present at start are simply there, as on a real machine: no arrival notices.
    for (Drive& drive : m_drives) {
        drive.present = lookAt(drive);
    }
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &SimulatedDriveTable::rescan);
    m_poll.start();
}

SimulatedDriveTable::~SimulatedDriveTable() = default;

bool SimulatedDriveTable::loadImage(Drive& drive)
{
    const emu::LoadedImage image = emu::LoadRecordImage(drive.option.path);
    if (!image.ok()) {
        if (drive.loadError != image.error) {
            qWarning().noquote() << image.error;
        }
        drive.loadError = image.error;
        return false;
    }
    drive.loadError.clear();
    if (!drive.wristband) {
        const QString path = drive.option.path;
        // A damaged kept state only warns: the drive stays usable for collecting.
        Result<std::unique_ptr<emu::PassThroughWristband>> made = emu::MakeKeptWristband(
            path, image.bytes, drive.option.model, m_hostNow, emu::UnreadableState::StartAfresh);
        if (!made) {
            drive.loadError = made.error();
            return false;
        }
        drive.wristband = std::move(*made);
        // Only a drive is collected: what it gave is remembered for the next run.
        emu::PassThroughWristband* band = drive.wristband.get();
        band->setEndCollectionObserver([band, path] {
            const Result<> marked = markCollected(path, band->image());
            if (!marked) {
                qWarning().noquote() << marked.error();
            }
            return marked.ok();
        });
    } else if (drive.wristband->image() != image.bytes) {
        drive.wristband->loadImage(image.bytes); // new records: new data again
    }
    if (isMarkedCollected(drive.option.path, image.bytes)) {
        drive.wristband->setHasNewData(false);
    }
    return true;
}

void SimulatedDriveTable::refreshWristband(int index)
{
    Drive& drive = m_drives[static_cast<std::size_t>(index)];
    if (drive.option.isPassThrough() && drive.wristband) {
        static_cast<void>(loadImage(drive));
    }
}

bool SimulatedDriveTable::lookAt(Drive& drive)
{
    if (drive.heldOut) {
        return false;
    }
    const QFileInfo info(drive.option.path);
    if (!drive.option.isPassThrough()) {
        return info.isDir();
    }
    if (!info.isFile()) {
        drive.imageSize = -1;
        return false;
    }
    const bool changed =
        info.size() != drive.imageSize || info.lastModified() != drive.imageModified;
    if (changed || !drive.wristband) {
        if (!loadImage(drive)) {
            return false;
        }
        drive.imageSize = info.size();
        drive.imageModified = info.lastModified();
    }
    if (!drive.present && drive.wristband->isGone()) {
        return false;
    }
    if (!drive.present) {
        drive.wristband->reconnect(); // plugged in again: its stream starts from the beginning
    }
    return !drive.wristband->isGone();
}

void SimulatedDriveTable::rescan()
{
    const std::uint32_t before = maskOfPresent();
    const QStringList pathsBefore = presentDevicePaths();
    for (Drive& drive : m_drives) {
        drive.present = lookAt(drive);
    }
    const std::uint32_t after = maskOfPresent();
    const QStringList pathsAfter = presentDevicePaths();

    if (const std::uint32_t removed = before & ~after; removed != 0) {
        emit volumeRemoved(removed);
    }
    if (const std::uint32_t arrived = after & ~before; arrived != 0) {
        emit volumeArrived(arrived);
    }
    if (before != after || pathsBefore != pathsAfter) {
        emit devicesChanged();
    }
}

void SimulatedDriveTable::unplug(int index)
{
    if (index < 0 || index >= driveCount()) {
        return;
    }
    Drive& drive = m_drives[static_cast<std::size_t>(index)];
    drive.heldOut = true;
    if (!drive.option.isPassThrough() && drive.present &&
        QFileInfo::exists(QDir(drive.option.path).filePath(QStringLiteral("USBWATCH.DAT")))) {
        if (const QString error = fileModel(index)->unplug(); !error.isEmpty()) {
            qWarning().noquote() << error;
        }
    }
    rescan();
}

void SimulatedDriveTable::plugIn(int index)
{
    if (index < 0 || index >= driveCount()) {
        return;
    }
    m_drives[static_cast<std::size_t>(index)].heldOut = false;
    rescan();
}

emu::FileModelWristband* SimulatedDriveTable::fileModel(int index)
{
    if (index < 0 || index >= driveCount()) {
        return nullptr;
    }
    Drive& drive = m_drives[static_cast<std::size_t>(index)];
    if (!drive.fileModel && !drive.option.isPassThrough()) {
        drive.fileModel = std::make_unique<emu::FileModelWristband>(drive.option.path, m_hostNow);
    }
    return drive.fileModel.get();
}

std::uint32_t SimulatedDriveTable::maskOfPresent() const
{
    std::uint32_t mask = 0;
    for (const Drive& drive : m_drives) {
        if (drive.present && drive.option.letter != DriveOption::NoLetter) {
            mask |= driveBit(drive.option.letter);
        }
    }
    return mask;
}

QStringList SimulatedDriveTable::presentDevicePaths() const
{
    QStringList paths;
    for (const Drive& drive : m_drives) {
        if (drive.present && !drive.devicePath.isEmpty()) {
            paths << drive.devicePath;
        }
    }
    return paths;
}

std::uint32_t SimulatedDriveTable::logicalDriveMask() const
{
    return maskOfPresent();
}

QString SimulatedDriveTable::driveRoot(char letter) const
{
    const int index = indexOfLetter(letter);
    if (index < 0 || !isPresent(index)) {
        return {};
    }
    const Drive& drive = m_drives[static_cast<std::size_t>(index)];
    return drive.emptyRoot ? drive.emptyRoot->path() : drive.option.path;
}

// A folder standing in for a disk is that disk: the same folder under whatever letter.
QString SimulatedDriveTable::volumeIdentity(char letter) const
{
    const int index = indexOfLetter(letter);
    if (index < 0 || !isPresent(index)) {
        return {};
    }
    const Drive& drive = m_drives[static_cast<std::size_t>(index)];
    return drive.option.isPassThrough() ? QString() : fileIdentity(drive.option.path);
}

QString SimulatedDriveTable::volumeLabel(char letter) const
{
    const int index = indexOfLetter(letter);
    if (index < 0 || !isPresent(index)) {
        return {};
    }
    // The name the drive was given by: the folder's, or the record image's without its suffix.
    const QFileInfo given(m_drives[static_cast<std::size_t>(index)].option.path);
    return m_drives[static_cast<std::size_t>(index)].option.isPassThrough()
               ? given.completeBaseName()
               : given.fileName();
}

QStringList SimulatedDriveTable::diskDevicePaths() const
{
    return presentDevicePaths();
}

int SimulatedDriveTable::indexOfLetter(char letter) const
{
    if (letter == DriveOption::NoLetter) {
        return -1;
    }
    const char upper =
        (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (std::size_t index = 0; index < m_drives.size(); ++index) {
        if (m_drives[index].option.letter == upper) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

int SimulatedDriveTable::indexOfDevicePath(const QString& devicePath) const
{
    for (std::size_t index = 0; index < m_drives.size(); ++index) {
        if (!devicePath.isEmpty() && m_drives[index].devicePath == devicePath) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

QString SimulatedDriveTable::devicePath(int index) const
{
    return m_drives[static_cast<std::size_t>(index)].devicePath;
}

bool SimulatedDriveTable::isPresent(int index) const
{
    return index >= 0 && index < driveCount() && m_drives[static_cast<std::size_t>(index)].present;
}

emu::ScsiTarget* SimulatedDriveTable::target(int index)
{
    if (!isPresent(index)) {
        return nullptr;
    }
    Drive& drive = m_drives[static_cast<std::size_t>(index)];
    if (drive.option.isPassThrough()) {
        return drive.wristband.get();
    }
    return &m_plainDisk;
}

emu::PassThroughWristband* SimulatedDriveTable::wristband(int index)
{
    if (index < 0 || index >= driveCount()) {
        return nullptr;
    }
    return m_drives[static_cast<std::size_t>(index)].wristband.get();
}

QString SimulatedDriveTable::loadError(int index) const
{
    return m_drives[static_cast<std::size_t>(index)].loadError;
}

} // namespace trek::platform
