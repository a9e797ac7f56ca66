// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/linuxdrivetable.h"
#include "mockbed.h"
#include "tempdir.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace trek::platform;
using trek::test::FakeDiskLayout;
using trek::test::MockBed;
using trek::test::TempDir;

namespace {

std::uint32_t bit(char letter)
{
    return std::uint32_t{1} << (letter - 'A');
}

QByteArray mountLine(int id, const char* devnum, const char* mountPoint)
{
    return QByteArray::number(id) + " 22 " + devnum + " / " + mountPoint +
           " rw,nosuid shared:9 - vfat /dev/x rw\n";
}

const QByteArray RootMount = "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n";

class LinuxDriveTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!trek::test::umockdevActive()) {
            GTEST_SKIP() << "needs the umockdev preload library (package umockdev)";
        }
    }

    LinuxDriveTableConfig config(bool watch = false) const
    {
        return LinuxDriveTableConfig{m_dir.filePath(QStringLiteral("mountinfo")), watch};
    }
    void writeMounts(const QByteArray& text) const
    {
        m_dir.write(QStringLiteral("mountinfo"), text);
    }

    TempDir m_dir;
};

} // namespace

TEST_F(LinuxDriveTableTest, LettersGoToMountedUsbAndRemovableVolumesOnly)
{
    MockBed bed;
    // An internal disk holding the root file system: mounted, but never a drive letter.
    bed.addDisk(FakeDiskLayout{.host = 0,
                               .disk = "sda",
                               .diskMinor = 0,
                               .generic = "sg0",
                               .genericMinor = 0,
                               .usb = false,
                               .removable = false,
                               .vendor = "ATA"});
    // The wristband, its FAT volume on the partition.
    bed.addDisk(FakeDiskLayout{.labelEnc = "WATCH\\x20DISK"});
    // A card reader on an internal bus with removable media, no partition table.
    bed.addDisk(FakeDiskLayout{.host = 7,
                               .disk = "sdc",
                               .diskMinor = 32,
                               .partition = false,
                               .generic = "sg3",
                               .genericMinor = 3,
                               .usb = false,
                               .vendor = "Generic",
                               .labelEnc = "L\\xc3\\xa4ufer\\x2"});
    writeMounts(RootMount + mountLine(90, "8:17", "/media/user/WATCH\\040DISK") +
                mountLine(91, "8:32", "/media/user/CARD") +
                mountLine(92, "8:17", "/srv/second-mount"));

    LinuxDriveTable table(config());
    EXPECT_EQ(table.logicalDriveMask(), bit('D') | bit('E'));
    EXPECT_EQ(table.driveRoot('D'), QStringLiteral("/media/user/WATCH DISK"));
    EXPECT_EQ(table.driveRoot('E'), QStringLiteral("/media/user/CARD"));
    EXPECT_EQ(table.driveRoot('F'), QString());
    EXPECT_EQ(table.driveType('D'), DriveType::Removable);
    EXPECT_EQ(table.driveType('E'), DriveType::Removable);
    EXPECT_EQ(table.driveType('F'), DriveType::NoRootDirectory);
    EXPECT_EQ(table.driveType('C'), DriveType::NoRootDirectory);
    // Labels as udev encodes them for /dev/disk/by-label, decoded; a cut escape stays as it is.
    EXPECT_EQ(table.volumeLabel('D'), QStringLiteral("WATCH DISK"));
    EXPECT_EQ(table.volumeLabel('E'), QStringLiteral("L\u00e4ufer\\x2"));
    EXPECT_EQ(table.volumeLabel('F'), QString());

    // The partition leads to its whole disk and to the sg node of the same SCSI device.
    const auto wristband = table.nodesForLetter('D');
    ASSERT_TRUE(wristband.has_value());
    EXPECT_EQ(wristband->wholeDiskNode, QStringLiteral("/dev/sdb"));
    EXPECT_EQ(wristband->sgNode, QStringLiteral("/dev/sg2"));
    const auto card = table.nodesForLetter('E');
    ASSERT_TRUE(card.has_value());
    EXPECT_EQ(card->wholeDiskNode, QStringLiteral("/dev/sdc"));
    EXPECT_EQ(card->sgNode, QStringLiteral("/dev/sg3"));
    EXPECT_FALSE(table.nodesForLetter('F').has_value());

    // Every USB disk here has a mounted volume, so none is offered as a bare device path.
    EXPECT_TRUE(table.diskDevicePaths().isEmpty());
}

TEST_F(LinuxDriveTableTest, UnmountedUsbDisksAreDevicePaths)
{
    MockBed bed;
    bed.addDisk(FakeDiskLayout{});
    bed.addDisk(FakeDiskLayout{
        .host = 8, .disk = "sdd", .diskMinor = 48, .generic = "sg4", .genericMinor = 4});
    // A USB disk whose sg driver is not loaded cannot be reached by pass-through at all.
    bed.addDisk(FakeDiskLayout{.host = 9, .disk = "sde", .diskMinor = 64, .generic = nullptr});
    writeMounts(RootMount + mountLine(90, "8:49", "/media/user/OTHER"));

    LinuxDriveTable table(config());
    EXPECT_EQ(table.logicalDriveMask(), bit('D'));
    EXPECT_EQ(table.diskDevicePaths(), QStringList{QStringLiteral("/dev/sg2")});
    const auto nodes = table.nodesForDevicePath(QStringLiteral("/dev/sg2"));
    ASSERT_TRUE(nodes.has_value());
    EXPECT_EQ(nodes->wholeDiskNode, QStringLiteral("/dev/sdb"));
    EXPECT_FALSE(table.nodesForDevicePath(QStringLiteral("/dev/sg9")).has_value());
}

TEST_F(LinuxDriveTableTest, RescanKeepsLettersAndReportsChanges)
{
    MockBed bed;
    bed.addDisk(FakeDiskLayout{});
    bed.addDisk(FakeDiskLayout{
        .host = 8, .disk = "sdd", .diskMinor = 48, .generic = "sg4", .genericMinor = 4});
    writeMounts(RootMount + mountLine(90, "8:17", "/media/a") + mountLine(91, "8:49", "/media/b"));
    LinuxDriveTable table(config());
    ASSERT_EQ(table.logicalDriveMask(), bit('D') | bit('E'));

    QSignalSpy arrived(&table, &DriveTable::volumeArrived);
    QSignalSpy removed(&table, &DriveTable::volumeRemoved);
    QSignalSpy changed(&table, &DriveTable::devicesChanged);

    // The lower letter goes away: E stays E.
    writeMounts(RootMount + mountLine(91, "8:49", "/media/b"));
    table.rescan();
    EXPECT_EQ(table.logicalDriveMask(), bit('E'));
    EXPECT_EQ(table.driveRoot('E'), QStringLiteral("/media/b"));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(arrived.count(), 0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(table.diskDevicePaths(), QStringList{QStringLiteral("/dev/sg2")});

    // Mounted again, it takes the lowest free letter.
    writeMounts(RootMount + mountLine(91, "8:49", "/media/b") + mountLine(93, "8:17", "/media/a"));
    table.rescan();
    EXPECT_EQ(table.logicalDriveMask(), bit('D') | bit('E'));
    ASSERT_EQ(arrived.count(), 1);
    EXPECT_EQ(arrived.at(0).at(0).value<std::uint32_t>(), bit('D'));

    // Mounts that are none of ours (a share, a second mount of the root disk) and a rescan
    // without changes announce nothing: each notice would refresh every page.
    writeMounts(RootMount + mountLine(91, "8:49", "/media/b") + mountLine(93, "8:17", "/media/a") +
                mountLine(94, "0:55", "/mnt/share") + mountLine(95, "8:2", "/srv/root-again"));
    table.rescan();
    table.rescan();
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(changed.count(), 2);

    // One of ours mounted elsewhere is another volume: removed and arrived under its letter.
    writeMounts(RootMount + mountLine(91, "8:49", "/media/b") + mountLine(96, "8:17", "/media/c"));
    table.rescan();
    ASSERT_EQ(removed.count(), 2);
    EXPECT_EQ(removed.at(1).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(arrived.count(), 2);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(table.driveRoot('D'), QStringLiteral("/media/c"));

    // An unreadable mount table is not taken for an empty one.
    QFile::remove(m_dir.filePath(QStringLiteral("mountinfo")));
    table.rescan();
    EXPECT_EQ(table.logicalDriveMask(), bit('D') | bit('E'));
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(LinuxDriveTableTest, HotplugEventsReachTheSignals)
{
    MockBed bed;
    writeMounts(RootMount);
    LinuxDriveTable table(config(true));
    EXPECT_EQ(table.logicalDriveMask(), 0u);

    QSignalSpy arrived(&table, &DriveTable::volumeArrived);
    QSignalSpy removed(&table, &DriveTable::volumeRemoved);
    QSignalSpy changed(&table, &DriveTable::devicesChanged);

    const trek::test::FakeDisk disk = bed.addDisk(FakeDiskLayout{});
    bed.uevent(disk.disk, "add");
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() > 0; }, 5000))
        << "no udev event arrived";
    EXPECT_EQ(arrived.count(), 0); // present but not mounted yet
    EXPECT_EQ(table.diskDevicePaths(), QStringList{QStringLiteral("/dev/sg2")});

    // The volume is mounted by the time udev reports the partition.
    writeMounts(RootMount + mountLine(90, "8:17", "/media/user/WATCH"));
    bed.uevent(disk.partition, "add");
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrived.count() > 0; }, 5000));
    EXPECT_EQ(arrived.at(0).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(table.driveRoot('D'), QStringLiteral("/media/user/WATCH"));

    writeMounts(RootMount);
    bed.uevent(disk.partition, "remove");
    bed.remove(disk.partition);
    ASSERT_TRUE(QTest::qWaitFor([&] { return removed.count() > 0; }, 5000));
    EXPECT_EQ(removed.at(0).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(table.logicalDriveMask(), 0u);
}
