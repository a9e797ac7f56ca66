// SPDX-License-Identifier: GPL-3.0-or-later
// The factory pre-copy's folder copy on the file systems it meets: a plain folder, a tmpfs that
// runs full, and a FAT disk.

#include "device/diskobject.h"
#include "scratchmount.h"
#include "tempdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace trek {
namespace {

using PathForm = CDiskObject::PathForm;

QStringList Names(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names) {
        list << QString::fromUtf8(name);
    }
    return list;
}

// Every entry below `root`, hidden ones included, as "path" or "path/" for folders, sorted.
QStringList TreeOf(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QDir(root).relativeFilePath(info.filePath()) +
                       (info.isDir() && !info.isSymLink() ? QStringLiteral("/") : QString());
    }
    entries.sort();
    return entries;
}

class DiskObjectTest : public ::testing::Test
{
protected:
    QString source() const { return dir.filePath(QStringLiteral("source")); }
    QString target() const { return dir.filePath(QStringLiteral("target")); }
    test::TempDir dir;
};

TEST_F(DiskObjectTest, TreeCopiesEveryFileHiddenOnesIncludedInByteOrder)
{
    // Written out of order: the listing must not follow the file system's order.
    for (const char* name : {"f2", "s/t/f4", "B", "f1", "r/x", ".hidden", "a", "s/f3"}) {
        dir.write(QStringLiteral("source/") + QLatin1String(name),
                  QByteArray("new ") + QByteArray(name));
    }
    dir.write(QStringLiteral("target/f1"), "old f1");
    dir.write(QStringLiteral("target/keep"), "keep");

    const CDiskObject disk(dir.path());
    EXPECT_EQ(*disk.ListFolderFiles(QStringLiteral("source"), PathForm::Relative),
              (Names({".hidden", "B", "a", "f1", "f2"})));
    EXPECT_EQ(*disk.ListFolderFilesMatching(QStringLiteral("F*"), source(), PathForm::Full),
              (QStringList{source() + QStringLiteral("/f1"), source() + QStringLiteral("/f2")}));
    EXPECT_EQ(*disk.ListSubfolders(source(), PathForm::Relative), (Names({"r", "s", "s/t"})));
    EXPECT_EQ(disk.ListSubfolders(QStringLiteral("source/"), PathForm::Full)->value(2),
              source() + QStringLiteral("/s/t/"));
    EXPECT_EQ(*disk.NormaliseFolderPath(QStringLiteral("source/../source//s")),
              source() + QStringLiteral("/s/"));
    EXPECT_FALSE(disk.NormaliseFolderPath(QStringLiteral("source/*")).ok());

    const Result<> copied = disk.CopyFolderTree(QStringLiteral("source"), target());
    ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
    EXPECT_EQ(TreeOf(target()), (Names({".hidden", "B", "a", "f1", "f2", "keep", "r/", "r/x", "s/",
                                        "s/f3", "s/t/", "s/t/f4"})));
    EXPECT_EQ(dir.read(QStringLiteral("target/f1")), QByteArray("new f1"));
    EXPECT_EQ(dir.read(QStringLiteral("target/s/t/f4")), QByteArray("new s/t/f4"));
    EXPECT_EQ(dir.read(QStringLiteral("target/keep")), QByteArray("keep"));
}

TEST_F(DiskObjectTest, CopyOntoOrIntoItselfIsRefusedBeforeAnythingIsWritten)
{
    dir.write(QStringLiteral("source/s/f"), "f");
    dir.makeLink(QStringLiteral("alias"), source());
    const CDiskObject disk;

    const QStringList targets{source(), source() + QStringLiteral("/s/new/deeper"),
                              dir.filePath(QStringLiteral("alias/s"))};
    for (const QString& into : targets) {
        const Result<> copied = disk.CopyFolderTree(source(), into);
        ASSERT_FALSE(copied.ok()) << into.toStdString();
        EXPECT_TRUE(copied.error().contains(QStringLiteral("lies inside it")))
            << copied.error().toStdString();
    }
    EXPECT_FALSE(dir.exists(QStringLiteral("source/s/new")));
    EXPECT_FALSE(disk.CopyFolderFiles(source(), dir.filePath(QStringLiteral("alias"))).ok());
    // A subfolder onto its parent walks nothing it writes, and is allowed.
    EXPECT_TRUE(disk.CopyFolderTree(source() + QStringLiteral("/s"), source()).ok());
}

TEST_F(DiskObjectTest, LinkedFoldersAndSpecialFilesAreLeftOutWithoutWaiting)
{
    dir.write(QStringLiteral("source/sub/f"), "f");
    const QString outside = dir.write(QStringLiteral("outside.txt"), "through a link");
    dir.makeLink(QStringLiteral("source/sub/loop"), source()); // an endless walk if entered
    dir.makeLink(QStringLiteral("source/linked.txt"), outside);
    dir.makeLink(QStringLiteral("source/dangling"), dir.filePath(QStringLiteral("nowhere")));
    dir.makeFifo(QStringLiteral("source/fifo")); // a read of it waits for a writer for ever

    const CDiskObject disk;
    EXPECT_EQ(*disk.ListSubfolders(source(), PathForm::Relative), Names({"sub"}));
    const Result<> copied = disk.CopyFolderTree(source(), target());
    ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
    EXPECT_EQ(TreeOf(target()), (Names({"linked.txt", "sub/", "sub/f"})));
    EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("target/linked.txt"))).isSymLink());
    EXPECT_EQ(dir.read(QStringLiteral("target/linked.txt")), QByteArray("through a link"));
}

TEST_F(DiskObjectTest, NamesThatDifferOnlyInCaseFailWithBothNames)
{
    dir.write(QStringLiteral("source/a.txt"), "a");
    dir.write(QStringLiteral("source/music/Readme.txt"), "1");
    dir.write(QStringLiteral("source/music/README.TXT"), "2");
    const CDiskObject disk;

    Result<> copied = disk.CopyFolderTree(source(), target());
    ASSERT_FALSE(copied.ok());
    EXPECT_TRUE(copied.error().contains(QStringLiteral("\"README.TXT\" and \"Readme.txt\"")))
        << copied.error().toStdString();
    EXPECT_FALSE(dir.exists(QStringLiteral("target"))); // the whole source is checked first
}

TEST_F(DiskObjectTest, FullDiskLeavesOldOrNoFileUnderTheRealName)
{
    test::ScratchMount disk(QStringLiteral("256k"));
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.error().toStdString();
    }
    dir.write(QStringLiteral("source/a.bin"), QByteArray(64 * 1024, 'n'));
    QFile old(disk.filePath(QStringLiteral("a.bin")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    ASSERT_TRUE(disk.fill());

    const CDiskObject copier;
    const Result<> replaced = copier.CopyFolderTree(source(), disk.path());
    ASSERT_FALSE(replaced.ok());
    EXPECT_TRUE(replaced.error().contains(QStringLiteral("No space left on device")))
        << replaced.error().toStdString();

    QFile kept(disk.filePath(QStringLiteral("a.bin")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    // No temporary file stays behind.
    EXPECT_EQ(TreeOf(disk.path()), (Names({"a.bin", "filler"})));
}

// A FAT image mounted through FUSE, as a wristband's disk is seen on a desktop without the
// kernel's FAT driver.
class FatImage final
{
public:
    explicit FatImage(const test::TempDir& dir)
        : m_image(dir.filePath(QStringLiteral("fat.img"))),
          m_mountPoint(dir.filePath(QStringLiteral("fat")))
    {
        QDir().mkpath(m_mountPoint);
        m_mounted = run(QStringLiteral("mkfs.fat"),
                        {QStringLiteral("-C"), m_image, QStringLiteral("4096")}) &&
                    run(QStringLiteral("fusefat"),
                        {QStringLiteral("-o"), QStringLiteral("rw+"), m_image, m_mountPoint});
    }
    ~FatImage()
    {
        if (m_mounted) {
            run(QStringLiteral("fusermount3"), {QStringLiteral("-u"), m_mountPoint});
        }
    }
    Q_DISABLE_COPY_MOVE(FatImage)

    bool mounted() const { return m_mounted; }
    const QString& error() const { return m_error; }
    const QString& path() const { return m_mountPoint; }

private:
    // False, with the reason, when the tool is missing or fails (no /dev/fuse, for one).
    bool run(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStandardPaths::findExecutable(
                          tool, {QStringLiteral("/usr/bin"), QStringLiteral("/usr/sbin")}),
                      arguments);
        if (process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0) {
            return true;
        }
        m_error = tool + QStringLiteral(": ") + process.errorString() + u' ' +
                  QString::fromLocal8Bit(process.readAll());
        return false;
    }

    QString m_image;
    QString m_mountPoint;
    QString m_error;
    bool m_mounted = false;
};

TEST_F(DiskObjectTest, TreeLandsOnAFatDiskAndReplacesWhatIsThere)
{
    FatImage fat(dir);
    if (!fat.mounted()) {
        GTEST_SKIP() << fat.error().toStdString();
    }
    dir.write(QStringLiteral("source/.hidden"), "h");
    dir.write(QStringLiteral("source/Voice/greeting.txt"), "hello");
    dir.write(QStringLiteral("source/a.txt"), "first");
    const CDiskObject disk;
    ASSERT_TRUE(disk.CopyFolderTree(source(), fat.path()).ok());
    dir.write(QStringLiteral("source/a.txt"), "second");
    const Result<> again = disk.CopyFolderTree(source(), fat.path());
    ASSERT_TRUE(again.ok()) << again.error().toStdString();

    EXPECT_EQ(TreeOf(fat.path()), (Names({".hidden", "Voice/", "Voice/greeting.txt", "a.txt"})));
    QFile copied(fat.path() + QStringLiteral("/a.txt"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("second"));
}

} // namespace
} // namespace trek
