// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/regularfile.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using trek::platform::createRegularFile;
using trek::platform::isRegularFile;
using trek::platform::overwriteRegularFile;
using trek::platform::readRegularFile;
using trek::test::TempDir;

// A read or write that waits on a FIFO never returns: the test's timeout makes it a failure.

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

ino_t inodeOf(const QString& path)
{
    struct stat info
    {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_ino;
}

} // namespace

TEST(RegularFile, ReadRefusesFifosDevicesAndFoldersAtOnceButFollowsLinksToFiles)
{
    const TempDir dir;
    dir.makeFifo(s("fifo"));
    const struct
    {
        QString path;
        const char* kind;
    } refused[] = {
        {dir.filePath(s("fifo")), "a FIFO"},
        {dir.makeLink(s("to-fifo"), dir.filePath(s("fifo"))), "a FIFO"},
        {s("/dev/zero"), "a character device"}, // endless: read, it would fill the memory
        {dir.makeLink(s("to-zero"), s("/dev/zero")), "a character device"},
        {dir.path(), "a folder"},
    };
    for (const auto& file : refused) {
        const auto read = readRegularFile(file.path, 1 << 20);
        ASSERT_FALSE(read.ok()) << file.path.toStdString();
        EXPECT_TRUE(read.error().contains(file.path)) << read.error().toStdString();
        EXPECT_TRUE(read.error().contains(QLatin1String(file.kind))) << read.error().toStdString();
    }
    EXPECT_FALSE(readRegularFile(dir.filePath(s("missing")), 10).ok());
    EXPECT_FALSE(readRegularFile(dir.makeLink(s("dangling"), s("missing")), 10).ok());

    dir.write(s("day.txt"), "10:00~10:05 50\r\n");
    const auto viaLink = readRegularFile(dir.makeLink(s("link.txt"), s("day.txt")), 16);
    ASSERT_TRUE(viaLink.ok()) << viaLink.error().toStdString();
    EXPECT_EQ(*viaLink, QByteArray("10:00~10:05 50\r\n"));
    EXPECT_TRUE(readRegularFile(dir.write(s("empty"), {}), 0).ok());
}

TEST(RegularFile, SizeLimitIsCheckedBeforeAnyByteIsRead)
{
    const TempDir dir;
    // 64 GiB without a byte on disk: only its size can tell the refusal its length.
    const QString huge = dir.write(s("huge.BIN"), {});
    ASSERT_TRUE(QFile::resize(huge, qint64{64} << 30));
    const auto hugeRead = readRegularFile(huge, 89280);
    ASSERT_FALSE(hugeRead.ok());
    EXPECT_TRUE(hugeRead.error().contains(s("68719476736"))) << hugeRead.error().toStdString();

    const QString path = dir.write(s("ten"), "0123456789");
    EXPECT_FALSE(readRegularFile(path, 9).ok());
    EXPECT_FALSE(readRegularFile(path, -1).ok());
    EXPECT_EQ(readRegularFile(path, 10).value(), QByteArray("0123456789"));
}

TEST(RegularFile, CreateMakesOnlyNewFilesAndNeverFollowsALink)
{
    const TempDir dir;
    const TempDir outside;
    const QString target = outside.filePath(s("USBWATCH.DAT"));
    const QString dangling = dir.makeLink(s("USBWATCH.DAT"), target);

    const auto throughLink = createRegularFile(dangling, "marker", true);
    ASSERT_FALSE(throughLink.ok());
    EXPECT_TRUE(throughLink.error().contains(s("a link"))) << throughLink.error().toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());

    dir.makeFifo(s("fifo"));
    EXPECT_FALSE(createRegularFile(dir.filePath(s("fifo")), "x", false).ok());
    EXPECT_TRUE(dir.isFifo(s("fifo")));

    const QString existing = dir.write(s("CLOCK.TXT"), "theirs");
    EXPECT_FALSE(createRegularFile(existing, "ours", false).ok());
    EXPECT_EQ(dir.read(s("CLOCK.TXT")), QByteArray("theirs"));

    const QString fresh = dir.filePath(s("new.DAT"));
    ASSERT_TRUE(createRegularFile(fresh, "new", true).ok());
    EXPECT_EQ(dir.read(s("new.DAT")), QByteArray("new"));
    EXPECT_TRUE(isRegularFile(fresh));
    EXPECT_FALSE(createRegularFile(dir.filePath(s("nothere/x")), "x", false).ok());
}

TEST(RegularFile, OverwriteChangesOnlyARegularFileWithOneName)
{
    const TempDir dir;
    const TempDir outside;
    const QString path = dir.write(s("CLOCK.TXT"), "a much longer old text");
    const ino_t inode = inodeOf(path);
    ASSERT_TRUE(overwriteRegularFile(path, "short").ok());
    EXPECT_EQ(dir.read(s("CLOCK.TXT")), QByteArray("short")); // the old tail is cut off
    EXPECT_EQ(inodeOf(path), inode);                          // in place, not renamed over

    // A link, a FIFO, a second name: the write is refused and each stays as it was.
    const QString target = outside.write(s("victim"), "keep me");
    const QString link = dir.makeLink(s("link.TXT"), target);
    const auto viaLink = overwriteRegularFile(link, "overwritten");
    ASSERT_FALSE(viaLink.ok());
    EXPECT_TRUE(viaLink.error().contains(s("link"))) << viaLink.error().toStdString();
    EXPECT_EQ(outside.read(s("victim")), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    dir.makeFifo(s("fifo"));
    const auto fifo = overwriteRegularFile(dir.filePath(s("fifo")), "x");
    EXPECT_FALSE(fifo.ok());
    EXPECT_TRUE(fifo.error().contains(s("a FIFO"))) << fifo.error().toStdString();

    const QString second = dir.filePath(s("second"));
    ASSERT_TRUE(QFile::copy(target, dir.filePath(s("original"))));
    ASSERT_EQ(::link(QFile::encodeName(dir.filePath(s("original"))).constData(),
                     QFile::encodeName(second).constData()),
              0);
    EXPECT_FALSE(overwriteRegularFile(second, "x").ok());
    EXPECT_EQ(dir.read(s("original")), QByteArray("keep me"));

    EXPECT_FALSE(overwriteRegularFile(dir.filePath(s("missing")), "x").ok());
    EXPECT_FALSE(dir.exists(s("missing")));

    EXPECT_TRUE(isRegularFile(path));
    EXPECT_FALSE(isRegularFile(link));
    EXPECT_FALSE(isRegularFile(dir.filePath(s("fifo"))));
    EXPECT_FALSE(isRegularFile(dir.path()));
    EXPECT_FALSE(isRegularFile(dir.filePath(s("missing"))));
}
