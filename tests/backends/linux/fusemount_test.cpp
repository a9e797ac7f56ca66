// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/linuxdrivetable.h"
#include "mockbed.h"
#include "tempdir.h"
#include "umockdevapi.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace trek::platform;
using trek::test::FakeDiskLayout;
using trek::test::MockBed;

namespace {

std::uint32_t bit(char letter)
{
    return std::uint32_t{1} << (letter - 'A');
}

// Helper programs must see the real /dev, not the test bed.
int runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_PRELOAD"));
    environment.remove(QStringLiteral("UMOCKDEV_DIR"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAll().toStdString();
        return process.exitCode() != 0 ? process.exitCode() : -1;
    }
    return 0;
}

bool canUseFuse()
{
    const int fd = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

// The FUSE mount's anonymous device number, which the fake partition takes on.
QByteArray deviceOf(const QString& mountPoint)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(mountPoint).constData(), &info) != 0) {
        return {};
    }
    return QByteArray::number(major(info.st_dev)) + ':' + QByteArray::number(minor(info.st_dev));
}

class FuseMountTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!trek::test::umockdevActive()) {
            GTEST_SKIP() << "needs the umockdev preload library (package umockdev)";
        }
        for (const char* tool : {"mkfs.fat", "mcopy", "fusefat", "fusermount3"}) {
            const QString name = QString::fromLatin1(tool);
            if (QStandardPaths::findExecutable(name).isEmpty() &&
                QStandardPaths::findExecutable(
                    name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                    .isEmpty()) {
                GTEST_SKIP() << tool << " is missing (packages dosfstools, mtools, fusefat, fuse3)";
            }
        }
        // The preload library serves /dev from the test bed; ask before it is set up.
        if (!canUseFuse()) {
            GTEST_SKIP() << "cannot open /dev/fuse: FUSE mounts need root or the fuse group here";
        }
        m_image = m_dir.filePath(QStringLiteral("wristband.img"));
        m_mountPoint = m_dir.filePath(QStringLiteral("mnt"));
        QDir().mkpath(m_mountPoint);
        ASSERT_EQ(runTool(QStringLiteral("mkfs.fat"),
                          {QStringLiteral("-C"), m_image, QStringLiteral("1024"),
                           QStringLiteral("-n"), QStringLiteral("WATCH")}),
                  0);
        const QString marker = m_dir.write(QStringLiteral("USBWATCH.DAT"), "marker");
        ASSERT_EQ(runTool(QStringLiteral("mcopy"), {QStringLiteral("-i"), m_image, marker,
                                                    QStringLiteral("::/USBWATCH.DAT")}),
                  0);
    }

    void TearDown() override
    {
        if (m_mounted) {
            unmount();
        }
    }

    bool mount()
    {
        m_mounted = runTool(QStringLiteral("fusefat"), {QStringLiteral("-o"), QStringLiteral("ro"),
                                                        m_image, m_mountPoint}) == 0;
        return m_mounted;
    }
    void unmount()
    {
        EXPECT_EQ(runTool(QStringLiteral("fusermount3"), {QStringLiteral("-u"), m_mountPoint}), 0);
        m_mounted = false;
    }

    trek::test::TempDir m_dir;
    QString m_image;
    QString m_mountPoint;
    bool m_mounted = false;
};

void giveDeviceNumber(MockBed& bed, const QByteArray& syspath, const QByteArray& devnum)
{
    const QList<QByteArray> parts = devnum.split(':');
    bed.setAttribute(syspath, "dev", devnum);
    umockdev_testbed_set_property(bed.testbed(), syspath.constData(), "MAJOR",
                                  parts.value(0).constData());
    umockdev_testbed_set_property(bed.testbed(), syspath.constData(), "MINOR",
                                  parts.value(1).constData());
}

} // namespace

TEST_F(FuseMountTest, TheMountTableWatchSeesAFatVolumeComeAndGo)
{
    ASSERT_TRUE(mount());
    const QByteArray firstDevice = deviceOf(m_mountPoint);
    ASSERT_FALSE(firstDevice.isEmpty());

    MockBed bed;
    const trek::test::FakeDisk disk = bed.addDisk(FakeDiskLayout{});
    giveDeviceNumber(bed, disk.partition, firstDevice);

    LinuxDriveTable table; // the real /proc/self/mountinfo, watched
    ASSERT_EQ(table.logicalDriveMask(), bit('D'));
    EXPECT_EQ(table.driveRoot('D'), m_mountPoint);
    EXPECT_TRUE(QFileInfo::exists(table.driveRoot('D') + QStringLiteral("/USBWATCH.DAT")));
    EXPECT_TRUE(table.diskDevicePaths().isEmpty());

    QSignalSpy arrived(&table, &DriveTable::volumeArrived);
    QSignalSpy removed(&table, &DriveTable::volumeRemoved);
    QSignalSpy changed(&table, &DriveTable::devicesChanged);

    unmount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return removed.count() > 0; }, 5000))
        << "unmount not noticed";
    EXPECT_EQ(removed.at(0).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(table.logicalDriveMask(), 0u);
    EXPECT_EQ(table.diskDevicePaths(), QStringList{QStringLiteral("/dev/sg2")});
    EXPECT_GE(changed.count(), 1);

    // Mount again; the kernel may hand out another anonymous number, so tell the fake partition
    // before the event loop gets to see the change.
    ASSERT_TRUE(mount());
    giveDeviceNumber(bed, disk.partition, deviceOf(m_mountPoint));
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrived.count() > 0; }, 5000)) << "mount not noticed";
    EXPECT_EQ(arrived.at(0).at(0).value<std::uint32_t>(), bit('D'));
    EXPECT_EQ(table.driveRoot('D'), m_mountPoint);
}
