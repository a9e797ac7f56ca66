// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/devicefile.h"
#include "scratchmount.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdint>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using trek::platform::DeviceFileAttribute;
using trek::platform::writeDeviceFileDurably;

namespace {

const QString Marker = QStringLiteral("USBWATCH.DAT");
const QString Clock = QStringLiteral("CLOCK.TXT");
const QByteArray ClockText = "TAdj=3\r\nDate=20260610\r\nTime=143015\r\nHMod=0\r\n";

// Runs a tool from the PATH or /usr/sbin; its standard output, or nothing with `ok` false.
QByteArray run(const char* name, const QStringList& arguments, bool* ok = nullptr)
{
    QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(QString::fromLatin1(name), {u"/usr/sbin"_s});
    }
    QProcess process;
    process.start(program, arguments);
    const bool ran = !program.isEmpty() && process.waitForFinished(20000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok != nullptr) {
        *ok = ran;
    }
    return ran ? process.readAllStandardOutput() : QByteArray();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A fresh FAT image mounted by the kernel's vfat driver (a loop device) or through fusefat;
// both need root here. mtools reads the image itself, past the mount's caches.
class FatImage final
{
public:
    explicit FatImage(bool fuse) : m_fuse(fuse)
    {
        bool ok = false;
        run("mkfs.vfat", {u"-C"_s, m_image, u"1024"_s}, &ok);
        QDir().mkpath(m_mountPoint);
        if (ok) {
            run(fuse ? "fusefat" : "mount",
                fuse ? QStringList{u"-o"_s, u"rw+"_s, m_image, m_mountPoint}
                     : QStringList{u"-t"_s, u"vfat"_s, u"-o"_s, u"loop"_s, m_image, m_mountPoint},
                &m_mounted);
        }
    }
    ~FatImage()
    {
        if (m_mounted) {
            run(m_fuse ? "fusermount3" : "umount", {m_fuse ? u"-u"_s : u"-l"_s, m_mountPoint});
        }
    }
    Q_DISABLE_COPY_MOVE(FatImage)

    bool mounted() const { return m_mounted; }
    QString filePath(const QString& name) const { return m_mountPoint + u'/' + name; }
    QByteArray onDisk(const QString& name) const
    {
        return run("mtype", {u"-i"_s, m_image, u"::"_s + name});
    }
    // mattrib's letters for `name`: "A   H" for a hidden file.
    QByteArray attributesOnDisk(const QString& name) const
    {
        const QByteArray line = run("mattrib", {u"-i"_s, m_image, u"::"_s + name});
        return line.left(line.indexOf(':')).trimmed();
    }

private:
    trek::test::TempDir m_dir;
    QString m_image = m_dir.filePath(QStringLiteral("band.img"));
    QString m_mountPoint = m_dir.filePath(QStringLiteral("mnt"));
    bool m_fuse;
    bool m_mounted = false;
};

} // namespace

TEST(DeviceFile, TmpfsAndFuseTakeTheMarkerWithoutTheAttribute)
{
    trek::test::ScratchMount tmpfs(QStringLiteral("256k"));
    if (!tmpfs.mounted()) {
        GTEST_SKIP() << tmpfs.error().toStdString();
    }
    QFile old(tmpfs.filePath(Marker));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const auto written = writeDeviceFileDurably(tmpfs.filePath(Marker), QByteArray(80, 'm'),
                                                DeviceFileAttribute::Hidden);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray(80, 'm'));
    EXPECT_EQ(entries(tmpfs.path()), QStringList{Marker}); // no temporary file left

    // A FAT disk through FUSE has no attribute ioctl either; the files still reach the image.
    const FatImage fuse(true);
    if (!fuse.mounted()) {
        GTEST_SKIP() << "fusefat cannot mount an image here (fusefat, /dev/fuse)";
    }
    ASSERT_TRUE(
        writeDeviceFileDurably(fuse.filePath(Marker), "m", DeviceFileAttribute::Hidden).ok());
    ASSERT_TRUE(
        writeDeviceFileDurably(fuse.filePath(Clock), ClockText, DeviceFileAttribute::Normal).ok());
    EXPECT_EQ(fuse.onDisk(Marker), "m");
    EXPECT_EQ(fuse.onDisk(Clock), ClockText);
}

TEST(DeviceFile, KernelFatDiskHidesTheMarkerAndHoldsBothFilesWhenTheCallReturns)
{
    const FatImage disk(false);
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot loop-mount a vfat image here (root, the vfat module)";
    }
    ASSERT_TRUE(
        writeDeviceFileDurably(disk.filePath(Marker), "old", DeviceFileAttribute::Normal).ok());
    // Replacing the marker hides it; the clock file stays visible.
    const auto marker = writeDeviceFileDurably(disk.filePath(Marker), QByteArrayView(),
                                               DeviceFileAttribute::Hidden);
    ASSERT_TRUE(marker.ok()) << marker.error().toStdString();
    const auto clock =
        writeDeviceFileDurably(disk.filePath(Clock), ClockText, DeviceFileAttribute::Normal);
    ASSERT_TRUE(clock.ok()) << clock.error().toStdString();

    const int fd = ::open(QFile::encodeName(disk.filePath(Marker)).constData(), O_RDONLY);
    std::uint32_t attributes = 0;
    EXPECT_EQ(::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes), 0);
    ::close(fd);
    EXPECT_NE(attributes & ATTR_HIDDEN, 0u);
    // Still mounted: the image holds what the calls wrote, the attribute included.
    EXPECT_TRUE(disk.attributesOnDisk(Marker).contains('H'));
    EXPECT_FALSE(disk.attributesOnDisk(Clock).contains('H'));
    EXPECT_TRUE(disk.onDisk(Marker).isEmpty());
    EXPECT_EQ(disk.onDisk(Clock), ClockText);
    EXPECT_EQ(entries(disk.filePath(QString())), (QStringList{Clock, Marker}));
}
