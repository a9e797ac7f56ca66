// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomicfile.h"
#include "platform/devicefile.h"
#include "platform/regularfile.h"
#include "platform/stagedfile.h"
#include "scratchmount.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using trek::platform::createRegularFile;
using trek::platform::createStagedFile;
using trek::platform::makePrivateFolders;
using trek::platform::removeLeftoverTemporaryFiles;
using trek::platform::writeFileAtomically;
using trek::test::ScopedUmask;
using trek::test::ScratchMount;
using trek::test::TempDir;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Dates a file (not a link's target) an hour back.
void makeOld(const QString& path)
{
    struct timespec hourAgo
    {};
    ::clock_gettime(CLOCK_REALTIME, &hourAgo);
    hourAgo.tv_sec -= 3600;
    const struct timespec times[2] = {hourAgo, hourAgo};
    ASSERT_EQ(
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

} // namespace

TEST(AtomicFile, ReplacesContentAndKeepsAccessRights)
{
    const TempDir dir;
    const QString path = dir.write(s("month.BIN"), QByteArray(65536, '\1'));
    const auto rights = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, rights));

    const QByteArray next(65536, '\2');
    const auto result = writeFileAtomically(path, next);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(dir.read(s("month.BIN")), next);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, rights & 0x7077); // owner, group, other

    ASSERT_TRUE(writeFileAtomically(dir.filePath(s("empty")), QByteArrayView()).ok());
    EXPECT_TRUE(dir.exists(s("empty")));
    EXPECT_EQ(entries(dir.path()), QStringList({s("empty"), s("month.BIN")}));
}

TEST(AtomicFile, LinksAndFifosAreRefusedAndLeftAsTheyAre)
{
    const TempDir dir;
    const TempDir outside;
    const QString target = outside.write(s("Stepo201409.BIN"), "theirs");
    const QString link = dir.makeLink(s("Stepo201409.BIN"), target);
    const QString nowhere = outside.filePath(s("created.INI"));
    const QString dangling = dir.makeLink(s("Trekkomat2.INI"), nowhere);
    const QString fifo = dir.makeFifo(s("Stepo201410.BIN"));

    for (const QString& path : {link, dangling, fifo}) {
        const auto written = writeFileAtomically(path, "ours");
        ASSERT_FALSE(written.ok()) << path.toStdString();
        EXPECT_TRUE(written.error().contains(path)) << written.error().toStdString();
    }
    EXPECT_TRUE(writeFileAtomically(link, "ours").error().contains(s("a link")));
    EXPECT_EQ(outside.read(s("Stepo201409.BIN")), QByteArray("theirs"));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_TRUE(dir.isFifo(s("Stepo201410.BIN")));
    EXPECT_EQ(entries(dir.path()),
              QStringList({s("Stepo201409.BIN"), s("Stepo201410.BIN"), s("Trekkomat2.INI")}));
}

TEST(AtomicFile, FailuresLeaveTheOldFileAndNoTemporaryFile)
{
    const TempDir dir;
    dir.write(s("old.INI"), "old");
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder")));

    const auto missingFolder = writeFileAtomically(dir.filePath(s("nothere/x.INI")), "new");
    EXPECT_FALSE(missingFolder.ok());
    EXPECT_TRUE(missingFolder.error().contains(dir.filePath(s("nothere"))))
        << missingFolder.error().toStdString();

    const auto ontoFolder = writeFileAtomically(dir.filePath(s("folder")), "new");
    EXPECT_FALSE(ontoFolder.ok());
    EXPECT_FALSE(ontoFolder.error().isEmpty());

    EXPECT_EQ(dir.read(s("old.INI")), QByteArray("old"));
    EXPECT_EQ(entries(dir.path()), QStringList({s("folder"), s("old.INI")}));
    EXPECT_TRUE(entries(dir.filePath(s("folder"))).isEmpty());
}

TEST(AtomicFile, ShortWriteOnAFullFileSystemIsAFailure)
{
    ScratchMount mount(s("64k"));
    if (!mount.mounted()) {
        GTEST_SKIP() << mount.error().toStdString();
    }
    const QString path = mount.filePath(s("Stepo201409.BIN"));
    const QByteArray old(8192, '\3');
    ASSERT_TRUE(writeFileAtomically(path, old).ok());

    // Bigger than what is left: the temporary file is cut short by the disk.
    const auto result = writeFileAtomically(path, QByteArray(65536, '\4'));
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error().isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(entries(mount.path()), QStringList({s("Stepo201409.BIN")}));
}

TEST(AtomicFile, LeftoverCleanupRemovesOnlyTheWritersOwnTemporaryFiles)
{
    const TempDir dir;
    // Named the way writeFileAtomically() names them: ".<file>.<random hex>.tmp".
    const QStringList leftovers = {s(".Trekkomat2.INI.1a2b3c4d.tmp"), s(".Stepo201409.BIN.7.tmp")};
    const QStringList others = {s("Trekkomat2.INI"),   s("notes.tmp"),    s(".hidden.tmp"),
                                s(".x.1a2b3c4d5.tmp"), s(".x.xyz.tmp"),   s(".x.1A.tmp"),
                                s("x.1a.tmp"),         s(".x.1a.tmp.bak")};
    for (const QString& name : leftovers + others) {
        makeOld(dir.write(name, "bytes"));
    }
    // A link with the writer's name is left, and so is the file it leads to; so is a folder.
    const QString target = dir.write(s("outside/kept.INI"), "target");
    const QString link = dir.filePath(s(".link.INI.12.tmp"));
    ASSERT_TRUE(QFile::link(target, link));
    makeOld(link);
    ASSERT_TRUE(QDir(dir.path()).mkdir(s(".dir.INI.34.tmp")));
    makeOld(dir.filePath(s(".dir.INI.34.tmp")));
    // A fresh one may belong to a write going on right now.
    dir.write(s(".Fresh.INI.ab.tmp"), "bytes");

    const auto removed = removeLeftoverTemporaryFiles(dir.path(), std::chrono::seconds(60));
    ASSERT_TRUE(removed) << removed.error().toStdString();
    EXPECT_EQ(*removed, 2);
    QStringList expected = others + QStringList{s(".link.INI.12.tmp"), s(".dir.INI.34.tmp"),
                                                s(".Fresh.INI.ab.tmp"), s("outside")};
    expected.sort();
    QStringList found = entries(dir.path());
    found.sort();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(dir.read(s("outside/kept.INI")), QByteArray("target"));

    const auto fresh = removeLeftoverTemporaryFiles(dir.path(), std::chrono::seconds(0));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(*fresh, 1);
    EXPECT_FALSE(dir.exists(s(".Fresh.INI.ab.tmp")));
    EXPECT_FALSE(removeLeftoverTemporaryFiles(dir.filePath(s("none"))).ok());
}

// The working folder holds personal data: what the program makes there is its user's alone
// whatever the umask, while a folder the user made and a file on a wristband are left alone.
TEST(FileModes, NewFilesAndFoldersAreTheUsersAloneWhateverTheUmask)
{
    for (const mode_t mask : {mode_t{022}, mode_t{0277}}) {
        const TempDir dir;
        const ScopedUmask umask(mask);
        ASSERT_TRUE(makePrivateFolders(dir.filePath(s("work/Data"))).ok());
        ASSERT_TRUE(writeFileAtomically(dir.filePath(s("work/a.INI")), "[A]\n").ok());
        ASSERT_TRUE(createRegularFile(dir.filePath(s("work/b-001")), "day", false).ok());
        auto staged = createStagedFile(dir.filePath(s("work")), s("c"));
        ASSERT_TRUE(staged && (*staged)->commit(dir.filePath(s("work/c"))).ok());
        const std::pair<const char*, const char*> expected[] = {{"work", "0700"},
                                                                {"work/Data", "0700"},
                                                                {"work/a.INI", "0600"},
                                                                {"work/b-001", "0600"},
                                                                {"work/c", "0600"}};
        for (const auto& [name, rights] : expected) {
            EXPECT_EQ(dir.rights(s(name)), rights) << name << ", umask " << std::oct << mask;
        }
    }

    const TempDir dir;
    const ScopedUmask umask(022);
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("mine")));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath(s("mine"))).constData(), 0750), 0);
    ASSERT_TRUE(makePrivateFolders(dir.filePath(s("mine/Data"))).ok());
    EXPECT_EQ(dir.rights(s("mine")), "0750");
    ASSERT_TRUE(trek::platform::writeDeviceFileDurably(dir.filePath(s("CLOCK.TXT")), "clock",
                                                       trek::platform::DeviceFileAttribute::Normal)
                    .ok());
    EXPECT_EQ(dir.rights(s("CLOCK.TXT")), "0644");
}

TEST(FileModes, AStagedFileKeepsTheRightsOfTheFileItReplaces)
{
    const TempDir dir;
    const ScopedUmask umask(022);
    const QString path = dir.write(s("Trekkomat_K7_TMP.BIN"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    auto staged = createStagedFile(dir.path(), s("Trekkomat_K7_TMP.BIN"));
    ASSERT_TRUE(staged && (*staged)->append("new").ok() && (*staged)->commit(path).ok());
    EXPECT_EQ(dir.read(s("Trekkomat_K7_TMP.BIN")), QByteArray("new"));
    EXPECT_EQ(dir.rights(s("Trekkomat_K7_TMP.BIN")), "0640");
}
