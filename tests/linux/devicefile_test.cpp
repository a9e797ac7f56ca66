#include "platform/devicefile.h"
#include "platform/linux/fatattributes.h"
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

using trek::platform::DeviceFileAttribute;
using trek::platform::writeDeviceFileDurably;

namespace {

const QString Marker = QStringLiteral("USBWATCH.DAT");
const QString Clock = QStringLiteral("CLOCK.TXT");
const QByteArray ClockText = "TAdj=3\r\nDate=20260610\r\nTime=143015\r\nHMod=0\r\n";

QString tool(const char* name)
{
    const QString program = QString::fromLatin1(name);
    QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty()) {
        found = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin")});
    }
    return found;
}

// Runs a tool; its standard output, or nothing with `ok` false.
QByteArray run(const QString& program, const QStringList& arguments, bool* ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(20000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok != nullptr) {
        *ok = ran;
    }
    return ran ? process.readAllStandardOutput() : QByteArray();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The FAT attributes of a file as the kernel's vfat driver keeps them; -1 when it cannot say.
int fatAttributes(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    std::uint32_t attributes = 0;
    const int result = fd < 0 ? -1 : ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes);
    if (fd >= 0) {
        ::close(fd);
    }
    return result == 0 ? static_cast<int>(attributes) : -1;
}

// A fresh FAT image, mounted by the kernel's vfat driver (a loop device) or through FUSE; both
// need root here. The image is read back with mtools, past the mount's caches.
class FatImage final
{
public:
    enum class Mount { Kernel, Fuse };

    explicit FatImage(Mount kind)
        : m_image(m_dir.filePath(QStringLiteral("band.img"))),
          m_mountPoint(m_dir.filePath(QStringLiteral("mnt"))), m_kind(kind)
    {
        const QString mkfs = tool("mkfs.vfat");
        if (mkfs.isEmpty() || tool("mattrib").isEmpty()) {
            m_why = QStringLiteral("needs mkfs.vfat and mtools (dosfstools, mtools)");
            return;
        }
        bool made = false;
        run(mkfs, {QStringLiteral("-C"), m_image, QStringLiteral("1024")}, &made);
        QDir().mkpath(m_mountPoint);
        bool mounted = false;
        if (!made) {
            m_why = QStringLiteral("mkfs.vfat failed");
        } else if (kind == Mount::Kernel) {
            run(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("vfat"), QStringLiteral("-o"),
                 QStringLiteral("loop"), m_image, m_mountPoint},
                &mounted);
            m_why = QStringLiteral("cannot loop-mount a vfat image (root and the vfat module)");
        } else if (!tool("fusefat").isEmpty() && ::access("/dev/fuse", R_OK | W_OK) == 0) {
            run(tool("fusefat"),
                {QStringLiteral("-o"), QStringLiteral("rw+"), m_image, m_mountPoint}, &mounted);
            m_why = QStringLiteral("fusefat cannot mount the image");
        } else {
            m_why = QStringLiteral("needs fusefat and access to /dev/fuse");
        }
        m_mounted = mounted;
    }
    ~FatImage()
    {
        if (m_mounted) {
            run(m_kind == Mount::Kernel ? QStringLiteral("umount") : tool("fusermount3"),
                m_kind == Mount::Kernel ? QStringList{m_mountPoint}
                                        : QStringList{QStringLiteral("-u"), m_mountPoint});
        }
    }
    Q_DISABLE_COPY_MOVE(FatImage)

    bool mounted() const { return m_mounted; }
    std::string why() const { return m_why.toStdString(); }
    QString filePath(const QString& name) const { return m_mountPoint + u'/' + name; }
    // What the image itself holds under `name`, read while it is mounted.
    QByteArray onDisk(const QString& name) const
    {
        return run(tool("mtype"), {QStringLiteral("-i"), m_image, QStringLiteral("::/") + name});
    }
    // The attribute letters mattrib shows for `name` ("A  H", ...).
    QByteArray attributesOnDisk(const QString& name) const
    {
        const QByteArray line =
            run(tool("mattrib"), {QStringLiteral("-i"), m_image, QStringLiteral("::/") + name});
        return line.left(line.indexOf(':')).trimmed();
    }

private:
    trek::test::TempDir m_dir;
    QString m_image;
    QString m_mountPoint;
    Mount m_kind;
    bool m_mounted = false;
    QString m_why;
};

} // namespace

TEST(DeviceFile, OnTmpfsTheHiddenAttributeIsLeftOutAndFailuresKeepTheOldFile)
{
    trek::test::ScratchMount disk(QStringLiteral("256k"));
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.error().toStdString();
    }
    const QString marker = disk.filePath(Marker);
    QFile old(marker);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old marker");
    old.close();

    const auto written =
        writeDeviceFileDurably(marker, QByteArray(80, 'm'), DeviceFileAttribute::Hidden);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    EXPECT_EQ(entries(disk.path()), QStringList{Marker}); // replaced, no temporary left
    QFile check(marker);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray(80, 'm'));

    // tmpfs has no FAT attributes: answered as such, not as a failure.
    const int fd = ::open(QFile::encodeName(marker).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const auto hidden = trek::platform::setFatHidden(fd);
    ::close(fd);
    ASSERT_TRUE(hidden.ok()) << hidden.error().toStdString();
    EXPECT_FALSE(*hidden);

    // A disk that turned read-only refuses the clock file with the reason; the marker stays.
    ASSERT_TRUE(disk.remountReadOnly()) << disk.error().toStdString();
    const auto refused =
        writeDeviceFileDurably(disk.filePath(Clock), ClockText, DeviceFileAttribute::Normal);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(QStringLiteral("Read-only")))
        << refused.error().toStdString();
    EXPECT_EQ(entries(disk.path()), QStringList{Marker});
}

TEST(DeviceFile, KernelFatDiskHidesTheMarkerAndHoldsBothFilesWhenTheCallReturns)
{
    FatImage disk(FatImage::Mount::Kernel);
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.why();
    }
    ASSERT_TRUE(
        writeDeviceFileDurably(disk.filePath(Marker), "first", DeviceFileAttribute::Normal).ok());
    ASSERT_EQ(fatAttributes(disk.filePath(Marker)) & ATTR_HIDDEN, 0);

    // Replacing the marker gives it the attribute; the clock file stays visible.
    const auto marker = writeDeviceFileDurably(disk.filePath(Marker), QByteArrayView(),
                                               DeviceFileAttribute::Hidden);
    ASSERT_TRUE(marker.ok()) << marker.error().toStdString();
    const auto clock =
        writeDeviceFileDurably(disk.filePath(Clock), ClockText, DeviceFileAttribute::Normal);
    ASSERT_TRUE(clock.ok()) << clock.error().toStdString();
    EXPECT_NE(fatAttributes(disk.filePath(Marker)) & ATTR_HIDDEN, 0);
    EXPECT_EQ(fatAttributes(disk.filePath(Clock)) & ATTR_HIDDEN, 0);

    // Still mounted: what the image holds is what the call wrote, the attribute included.
    EXPECT_EQ(disk.onDisk(Clock), ClockText);
    EXPECT_TRUE(disk.onDisk(Marker).isEmpty());
    EXPECT_TRUE(disk.attributesOnDisk(Marker).contains('H'))
        << disk.attributesOnDisk(Marker).data();
    EXPECT_FALSE(disk.attributesOnDisk(Clock).contains('H'));
    EXPECT_EQ(entries(disk.filePath(QString())), (QStringList{Clock, Marker}));
}

TEST(DeviceFile, FuseFatDiskTakesTheMarkerWithoutTheAttribute)
{
    FatImage disk(FatImage::Mount::Fuse);
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.why();
    }
    const auto marker = writeDeviceFileDurably(disk.filePath(Marker), QByteArray(80, 'm'),
                                               DeviceFileAttribute::Hidden);
    ASSERT_TRUE(marker.ok()) << marker.error().toStdString();
    const auto clock =
        writeDeviceFileDurably(disk.filePath(Clock), ClockText, DeviceFileAttribute::Normal);
    ASSERT_TRUE(clock.ok()) << clock.error().toStdString();
    EXPECT_EQ(disk.onDisk(Clock), ClockText);
    EXPECT_EQ(disk.onDisk(Marker), QByteArray(80, 'm'));
}
