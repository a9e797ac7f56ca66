// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/collectedmark.h"
#include "backends/sim/simulateddriveservices.h"
#include "emulator/recordimage.h"
#include "emulatortestsupport.h"
#include "platform/scsisense.h"
#include "platform/services.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace trek::platform {
namespace {

constexpr std::uint32_t BitE = 1u << ('E' - 'A');
constexpr std::uint32_t BitF = 1u << ('F' - 'A');
constexpr int SignalWaitMs = 3000; // several polls; the spy returns as soon as the signal comes

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::unique_ptr<SimulatedDriveServices> Create(const QStringList& options)
{
    auto created = createSimulatedDriveServices(options);
    EXPECT_TRUE(created.ok()) << created.error().toStdString();
    return created ? std::move(*created) : nullptr;
}

// A command as the device layer sends it, with a zeroed buffer for the answer.
struct Sent
{
    int result = 0;
    QByteArray data;
    std::uint32_t residue = 0;
    SenseInfo sense;
};

Sent Send(ScsiTransport& scsi, DeviceHandle handle, std::initializer_list<std::uint8_t> cdb,
          int length, std::uint32_t timeoutMs = 3000)
{
    Sent sent;
    sent.data = QByteArray(length, '\0');
    PassThroughRequest request;
    request.cdb = emu::test::Cdb(cdb);
    request.direction = length > 0 ? DataDirection::FromDevice : DataDirection::None;
    request.data = length > 0 ? reinterpret_cast<std::uint8_t*>(sent.data.data()) : nullptr;
    request.length = static_cast<std::uint32_t>(length);
    request.timeoutMs = timeoutMs;
    sent.result = scsi.send(handle, request);
    sent.residue = request.residue;
    sent.sense = decodeSense(request);
    return sent;
}

TEST(SimulatedDriveTable, FolderAppearsAndDisappearsWithNotices)
{
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("band"));
    auto sim = Create({QStringLiteral("E=") + folder});
    SimulatedDriveTable& drives = *sim->drives;
    EXPECT_EQ(drives.logicalDriveMask(), 0u); // missing folder: unplugged
    EXPECT_EQ(drives.driveRoot('E'), QString());

    QSignalSpy arrived(&drives, &DriveTable::volumeArrived);
    QSignalSpy removed(&drives, &DriveTable::volumeRemoved);
    QSignalSpy changed(&drives, &DriveTable::devicesChanged);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(arrived.wait(SignalWaitMs));
    EXPECT_EQ(arrived.takeFirst().at(0).value<std::uint32_t>(), BitE);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(drives.logicalDriveMask(), BitE);
    EXPECT_EQ(drives.driveType('E'), DriveType::Removable);
    EXPECT_EQ(drives.driveType('F'), DriveType::NoRootDirectory);
    EXPECT_EQ(drives.driveRoot('E'), QDir(folder).absolutePath());
    EXPECT_EQ(drives.volumeLabel('E'), QStringLiteral("band"));
    EXPECT_EQ(drives.volumeLabel('F'), QString());

    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(removed.wait(SignalWaitMs));
    EXPECT_EQ(removed.takeFirst().at(0).value<std::uint32_t>(), BitE);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(arrived.count(), 0);
    EXPECT_EQ(drives.logicalDriveMask(), 0u);
    EXPECT_EQ(drives.volumeLabel('E'), QString());
}

TEST(SimulatedDriveTable, RelativeFolderStaysTheSameWhenTheCurrentFolderChanges)
{
    QTemporaryDir temp;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("band")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(temp.path()));
    auto sim = Create({QStringLiteral("E=band")});
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    sim->drives->rescan();
    const std::uint32_t mask = sim->drives->logicalDriveMask();
    const QString root = sim->drives->driveRoot('E');
    ASSERT_TRUE(QDir::setCurrent(previous));
    EXPECT_EQ(mask, BitE);
    EXPECT_EQ(root, QDir(temp.path()).absoluteFilePath(QStringLiteral("band")));
}

TEST(SimulatedDriveTable, UnpluggedFileModelDiskTakesItsClockFile)
{
    QTemporaryDir temp;
    emu::test::FakeHostClock host;
    auto created =
        createSimulatedDriveServices({QStringLiteral("E=") + temp.path()}, host.function());
    ASSERT_TRUE(created.ok());
    SimulatedDriveTable& drives = *(*created)->drives;
    ASSERT_EQ(drives.fileModel(0)->makeDisk({}, emu::DayFileKind::Text), QString());
    WriteFile(temp.filePath(QStringLiteral("CLOCK.TXT")),
              "Disp=GAGJKEJAAA\r\nDate=20261205\r\nTime=101112\r\nTAdj=4\r\nHMod=1\r\n");

    QSignalSpy removed(&drives, &DriveTable::volumeRemoved);
    QSignalSpy arrived(&drives, &DriveTable::volumeArrived);
    drives.unplug(0);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(drives.logicalDriveMask(), 0u);
    EXPECT_TRUE(QFileInfo::exists(temp.filePath(QStringLiteral("USBWATCH.DAT"))));
    const emu::FileModelWristband& band = *drives.fileModel(0);
    EXPECT_EQ(band.clock().now(), QDateTime(QDate(2026, 12, 5), QTime(10, 11, 12), Qt::UTC));
    EXPECT_EQ(band.clock().correction(), 4);
    EXPECT_EQ(band.hourMode(), 1);

    drives.plugIn(0);
    ASSERT_EQ(arrived.count(), 1);
    EXPECT_EQ(arrived.at(0).at(0).value<std::uint32_t>(), BitE);
}

TEST(SimulatedDriveTable, LetterlessWristbandIsADevicePathWithoutRoot)
{
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("k9e.img"));
    WriteFile(image, QByteArray(512, '\1'));
    auto sim = Create({QStringLiteral("*=k9e:") + image, QStringLiteral("F=k7:") + image});
    SimulatedDriveTable& drives = *sim->drives;
    EXPECT_EQ(drives.logicalDriveMask(), BitF);
    EXPECT_EQ(drives.diskDevicePaths(), QStringList{QStringLiteral("sim:/dev/sg-star")});
    // The lettered wristband has a volume, but an empty one: no day files to be found there.
    const QString root = drives.driveRoot('F');
    ASSERT_FALSE(root.isEmpty());
    EXPECT_TRUE(QDir(root).exists());
    EXPECT_TRUE(QDir(root).isEmpty());

    QSignalSpy changed(&drives, &DriveTable::devicesChanged);
    QSignalSpy removed(&drives, &DriveTable::volumeRemoved);
    ASSERT_TRUE(QFile::remove(image));
    drives.rescan();
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<std::uint32_t>(), BitF);
    EXPECT_TRUE(drives.diskDevicePaths().isEmpty());
}

TEST(EmulatorTransport, RoutesCommandsToTheDeviceBehindTheDrive)
{
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("k9e.img"));
    WriteFile(image, QByteArray(512, '\1') + QByteArray(512, '\2'));
    auto sim = Create({QStringLiteral("E=") + temp.path(), QStringLiteral("*=k9e:") + image});
    EmulatorTransport& scsi = *sim->scsi;

    Services services;
    sim->installInto(services);
    EXPECT_EQ(services.drives, sim->drives.get());
    EXPECT_EQ(services.scsi, sim->scsi.get());

    // The folder drive is a plain flash disk: it identifies itself, but not as a wristband.
    const DeviceHandle disk = scsi.openVolume('E');
    ASSERT_NE(disk, InvalidDeviceHandle);
    const Sent plain = Send(scsi, disk, {0x12, 0, 0, 0, 0x24}, 44);
    EXPECT_EQ(plain.result, 0);
    EXPECT_EQ(plain.residue, 8u); // a 36-byte answer in a 44-byte buffer
    EXPECT_FALSE(plain.data.contains("Watch"));
    const Sent refused = Send(scsi, disk, {0xFE, 0x00}, 512);
    EXPECT_EQ(refused.result, -2);
    EXPECT_EQ(refused.residue, 512u);
    EXPECT_EQ(refused.sense.key, 0x05); // ILLEGAL REQUEST travels with the status

    const DeviceHandle band = scsi.openDevicePath(QStringLiteral("sim:/dev/sg-star"));
    ASSERT_NE(band, InvalidDeviceHandle);
    EXPECT_NE(band, disk);
    EXPECT_TRUE(Send(scsi, band, {0x12, 0, 0, 0, 0x24}, 44).data.contains("Watch K7E"));
    EXPECT_EQ(Send(scsi, band, {0xFE, 0x04}, 512, 10000).data, QByteArray(512, '\1'));
    EXPECT_EQ(Send(scsi, band, {0xFE, 0x03}, 0).result, 0);
    EXPECT_FALSE(sim->drives->wristband(1)->hasNewData());

    const auto& log = scsi.sentRequests();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[3].cdb[1], 0x04);
    EXPECT_EQ(log[3].timeoutMs, 10000u);
    EXPECT_EQ(log[3].direction, DataDirection::FromDevice);
    EXPECT_EQ(log[4].direction, DataDirection::None);
    EXPECT_EQ(log[4].length, 0u);

    EXPECT_EQ(scsi.openVolume('G'), InvalidDeviceHandle);
    EXPECT_EQ(scsi.openDevicePath(QStringLiteral("sim:/dev/sg-star9")), InvalidDeviceHandle);
    scsi.close(disk);
    EXPECT_EQ(Send(scsi, disk, {0x12, 0, 0, 0, 0x24}, 44).result, EBADF);
    EXPECT_EQ(scsi.openHandleCount(), 1);

    // Pulled out while open: the exchange fails as with a vanished device.
    ASSERT_TRUE(QFile::remove(image));
    sim->drives->rescan();
    const Sent lost = Send(scsi, band, {0xFE, 0x04}, 512);
    EXPECT_EQ(lost.result, ENODEV);
    EXPECT_EQ(lost.residue, 512u);
    EXPECT_EQ(scsi.lock(band), ENODEV);
}

TEST(EmulatorTransport, InjectedLockFailuresComeFirstThenLocksSucceed)
{
    QTemporaryDir temp;
    auto sim = Create({QStringLiteral("E=") + temp.path()});
    EmulatorTransport& scsi = *sim->scsi;
    const DeviceHandle handle = scsi.openVolume('E');
    ASSERT_NE(handle, InvalidDeviceHandle);

    scsi.failNextLocks(2, 32);
    EXPECT_EQ(scsi.lock(handle), 32);
    EXPECT_EQ(scsi.lock(handle), 32);
    EXPECT_EQ(scsi.lock(handle), 0);
    EXPECT_EQ(scsi.lockAttempts(), 3);
    EXPECT_EQ(scsi.unlock(handle), 0);
    scsi.failNextUnlocks(1, 5);
    EXPECT_EQ(scsi.unlock(handle), 5);
    EXPECT_EQ(scsi.unlock(handle), 0);
    EXPECT_EQ(scsi.lock(InvalidDeviceHandle), EBADF);
}

TEST(SimulatedDriveTable, VanishedWristbandIsRemovedAndComesBackWithItsRecords)
{
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("k9e.img"));
    WriteFile(image, QByteArray(512, '\1') + QByteArray(512, '\2'));
    auto sim = Create({QStringLiteral("F=k9e:") + image});
    SimulatedDriveTable& drives = *sim->drives;
    EmulatorTransport& scsi = *sim->scsi;
    emu::PassThroughWristband* band = drives.wristband(drives.indexOfLetter('F'));
    ASSERT_NE(band, nullptr);
    band->disappearAfterBlocks(1);
    EXPECT_EQ(drives.volumeLabel('F'), QStringLiteral("k9e")); // the image's name

    const DeviceHandle handle = scsi.openVolume('F');
    EXPECT_EQ(Send(scsi, handle, {0xFE, 0x04}, 512).result, 0);
    EXPECT_EQ(Send(scsi, handle, {0xFE, 0x04}, 512).result, ENODEV);

    QSignalSpy removed(&drives, &DriveTable::volumeRemoved);
    QSignalSpy arrived(&drives, &DriveTable::volumeArrived);
    drives.rescan();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(drives.logicalDriveMask(), 0u);

    band->reconnect();
    ASSERT_TRUE(arrived.wait(SignalWaitMs));
    const DeviceHandle again = scsi.openVolume('F');
    EXPECT_TRUE(Send(scsi, again, {0x12, 0, 0, 0, 0x24}, 44).data.contains("Watch K7E-Band\1"));
    EXPECT_EQ(Send(scsi, again, {0xFE, 0x04}, 512).data, QByteArray(512, '\1'));
}

TEST(SimulatedDriveTable, NewImageContentMeansNewDataAndBadImagesStayUnplugged)
{
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("k7.img"));
    WriteFile(image, QByteArray(512, '\1'));
    const QString folderAsImage = temp.filePath(QStringLiteral("not-an-image"));
    ASSERT_TRUE(QDir().mkpath(folderAsImage));
    auto sim = Create({QStringLiteral("F=k7:") + image, QStringLiteral("G=k7:") + folderAsImage});
    SimulatedDriveTable& drives = *sim->drives;
    EXPECT_EQ(drives.logicalDriveMask(), BitF);

    emu::PassThroughWristband* band = drives.wristband(0);
    ASSERT_NE(band, nullptr);
    band->setHasNewData(false);
    WriteFile(image, QByteArray(1024, '\3')); // the wristband recorded more
    drives.rescan();
    EXPECT_TRUE(band->hasNewData());
    EXPECT_EQ(band->image(), QByteArray(1024, '\3'));

    // An image larger than any wristband's memory is refused, with the reason kept.
    const QString huge = temp.filePath(QStringLiteral("huge.img"));
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly));
    ASSERT_TRUE(hugeFile.resize(emu::MaxImageSize + 1)); // sparse: costs no disk space
    hugeFile.close();
    auto tooLarge = Create({QStringLiteral("H=k9e:") + huge});
    EXPECT_EQ(tooLarge->drives->logicalDriveMask(), 0u);
    EXPECT_TRUE(tooLarge->drives->loadError(0).contains(QStringLiteral("huge.img")));
}

TEST(SimulatedDriveTable, CollectedRecordsStayCollectedInTheNextRun)
{
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("k9e.img"));
    WriteFile(image, QByteArray(512, '\1'));
    {
        auto first = Create({QStringLiteral("F=k9e:") + image});
        EXPECT_TRUE(first->drives->wristband(0)->hasNewData());
        const DeviceHandle band = first->scsi->openVolume('F');
        ASSERT_NE(band, InvalidDeviceHandle);
        EXPECT_EQ(Send(*first->scsi, band, {0xFE, 0x03}, 0).result, 0);
    }
    // A new process sees the same image: nothing new to collect.
    auto second = Create({QStringLiteral("F=k9e:") + image});
    EXPECT_FALSE(second->drives->wristband(0)->hasNewData());

    // Once the wristband records more, its records are new again.
    WriteFile(image, QByteArray(1024, '\2'));
    auto third = Create({QStringLiteral("F=k9e:") + image});
    EXPECT_TRUE(third->drives->wristband(0)->hasNewData());
}

TEST(SimulatedDriveTable, CollectedMarkIsNotWaitedOnNorWrittenThroughALink)
{
    const test::TempDir temp;
    const QString image = temp.write(QStringLiteral("k9e.img"), QByteArray(512, '\1'));
    const QString mark = collectedMarkPath(image);
    const QString outside = temp.write(QStringLiteral("outside/mark"), "theirs");
    for (const bool fifo : {true, false}) {
        QFile::remove(mark);
        if (fifo) {
            temp.makeFifo(QFileInfo(mark).fileName());
        } else {
            temp.makeLink(QFileInfo(mark).fileName(), outside);
        }
        auto sim = Create({QStringLiteral("F=k9e:") + image});
        EXPECT_TRUE(sim->drives->wristband(0)->hasNewData()) << fifo;
        const DeviceHandle band = sim->scsi->openVolume('F');
        ASSERT_NE(band, InvalidDeviceHandle);
        EXPECT_NE(Send(*sim->scsi, band, {0xFE, 0x03}, 0).result, 0) << fifo; // mark not kept
    }
    EXPECT_EQ(temp.read(QStringLiteral("outside/mark")), QByteArray("theirs"));
    EXPECT_TRUE(QFileInfo(mark).isSymLink());
}

} // namespace
} // namespace trek::platform
