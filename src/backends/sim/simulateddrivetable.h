// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/sim/driveoption.h"
#include "emulator/deviceclock.h"
#include "emulator/filemodelwristband.h"
#include "emulator/passthroughwristband.h"
#include "emulator/plaindisktarget.h"
#include "platform/drivetable.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

namespace trek::platform {

// Drives made of folders and record images. A drive is plugged in while its folder or image
// exists (and its emulated wristband has not vanished on purpose); the table looks every 250 ms
// and announces changes exactly as the real table does: removals, arrivals, then devicesChanged().
class SimulatedDriveTable final : public DriveTable
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimulatedDriveTable)
public:
    static constexpr int PollIntervalMs = 250;
    static constexpr char DevicePathPrefix[] = "sim:/dev/sg-star";

    // Letters must be distinct; createSimulatedDriveServices() checks that for its callers.
    explicit SimulatedDriveTable(std::vector<DriveOption> options, emu::ClockFunction hostNow = {},
                                 QObject* parent = nullptr);
    ~SimulatedDriveTable() override;

    std::uint32_t logicalDriveMask() const override;
    QString driveRoot(char letter) const override;
    // A folder drive is labelled with the folder's name, an emulated wristband with its image's.
    QString volumeLabel(char letter) const override;
    QString volumeIdentity(char letter) const override;
    QStringList diskDevicePaths() const override;

    // Looks at the folders and images now and announces what changed.
    void rescan();

    // Pulls a drive out without touching its folder or image, and puts it back. A folder drive
    // that is a file-model wristband takes its CLOCK.TXT as it goes, as the wristband does; an
    // emulated wristband comes back with its stream read from the start.
    void unplug(int index);
    void plugIn(int index);
    // The file-model wristband behind a folder drive (null for an emulated pass-through one).
    emu::FileModelWristband* fileModel(int index);

    int driveCount() const { return static_cast<int>(m_drives.size()); }
    const DriveOption& option(int index) const
    {
        return m_drives[static_cast<std::size_t>(index)].option;
    }
    // Index of the drive with this letter ('*' drives have none) or device path; -1 when none.
    int indexOfLetter(char letter) const;
    int indexOfDevicePath(const QString& devicePath) const;
    QString devicePath(int index) const; // empty for drives with a letter
    bool isPresent(int index) const;
    // What answers the commands sent to a present drive; null when it is unplugged.
    emu::ScsiTarget* target(int index);
    // The emulated wristband of a pass-through drive, once its image has been loaded.
    emu::PassThroughWristband* wristband(int index);
    // Why an image could not be loaded (the drive then stays unplugged); empty when none.
    QString loadError(int index) const;
    // Takes over what other processes did to the emulated wristband of a pass-through drive
    // since this one loaded it: its records, and whether they were collected. A real wristband
    // is one device for every program; each process's emulation is a copy of it.
    void refreshWristband(int index);

private:
    struct Drive
    {
        DriveOption option;
        QString devicePath;
        bool present = false;
        std::unique_ptr<emu::PassThroughWristband> wristband;
        QDateTime imageModified;
        qint64 imageSize = -1;
        std::unique_ptr<QTemporaryDir> emptyRoot; // the volume of a lettered pass-through drive
        QString loadError;
        bool heldOut = false;
        std::unique_ptr<emu::FileModelWristband> fileModel;
    };

    bool lookAt(Drive& drive); // true when the drive is plugged in now
    bool loadImage(Drive& drive);
    std::uint32_t maskOfPresent() const;
    QStringList presentDevicePaths() const;

    std::vector<Drive> m_drives;
    emu::ClockFunction m_hostNow;
    emu::PlainDiskTarget m_plainDisk;
    QTimer m_poll;
};

} // namespace trek::platform
