// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/iniprofile.h"
#include "scratchmount.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using trek::Result;
using trek::platform::IniProfile;
using trek::platform::ProfileEntry;
using trek::platform::ProfileValues;
using trek::test::ScratchMount;
using trek::test::TempDir;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Nothing but the expected files: a failed write must not leave its temporary file behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// A UTF-16 form of ASCII text, byte by byte, so that the expected bytes do not come from the
// converter under test.
QByteArray utf16(const QByteArray& ascii, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const char c : ascii) {
        bytes.append(littleEndian ? c : '\0');
        bytes.append(littleEndian ? '\0' : c);
    }
    return bytes;
}

// Adds 1 to Shared/Counter and 2 to Totals/Steps in one update.
trek::Result<> addUp(IniProfile& profile, const QString& path)
{
    return profile.updateStrings(path, [](const ProfileValues& current) {
        return QList<ProfileEntry>{
            {s("Shared"), s("Counter"),
             QString::number(current.getInt(s("Shared"), s("Counter"), 0) + 1)},
            {s("Totals"), s("Steps"),
             QString::number(current.getInt(s("Totals"), s("Steps"), 0) + 2)}};
    });
}

const QByteArray settings = "; hand-made\n"
                            "[Advance]\n"
                            "Language = 1\n"
                            "EnableUpgrade=0\n"
                            "\n"
                            "[Personal]\n"
                            "Height=12abc\n"
                            "Weight=-3\n"
                            "Birthday=abc\n";

} // namespace

TEST(IniProfile, ReadsAHandMadeFile)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    const IniProfile profile;
    EXPECT_EQ(profile.getInt(s("advance"), s("LANGUAGE"), 9, path), 1);
    EXPECT_EQ(profile.getInt(s("Advance"), s("EnableUpgrade"), 1, path), 0);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Height"), 9, path), 12);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Weight"), 9, path), -3);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Birthday"), 9, path), 0); // present: not default
    EXPECT_EQ(profile.getInt(s("Personal"), s("StepSize"), 9, path), 9);
    EXPECT_EQ(profile.getString(s("Personal"), s("Height"), s("d"), path), s("12abc"));
    EXPECT_EQ(profile.getString(s("Mission"), s("A_Goes"), s("0.0"), path), s("0.0"));
    EXPECT_EQ(profile.getString(s("Advance"), s("Language"), s("d"), dir.filePath(s("none.INI"))),
              s("d"));
}

TEST(IniProfile, WritesCreateTheFileAndKeepEveryOtherLine)
{
    const TempDir dir;
    IniProfile profile;
    const QString fresh = dir.filePath(s("new.INI"));
    ASSERT_TRUE(profile.writeString(s("Advance"), s("Language"), s("2"), fresh));
    EXPECT_EQ(readAll(fresh).toStdString(), "[Advance]\nLanguage=2\n");

    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    ASSERT_TRUE(profile.writeString(s("ADVANCE"), s("language"), s("0"), path));
    ASSERT_TRUE(profile.writeString(s("Personal"), s("StepSize"), s("75"), path));
    ASSERT_TRUE(profile.writeString(s("Mission"), s("A_Goes"), s("12.500000"), path));
    EXPECT_EQ(readAll(path).toStdString(), "; hand-made\n"
                                           "[Advance]\n"
                                           "Language = 0\n"
                                           "EnableUpgrade=0\n"
                                           "\n"
                                           "[Personal]\n"
                                           "Height=12abc\n"
                                           "Weight=-3\n"
                                           "Birthday=abc\n"
                                           "StepSize=75\n"
                                           "\n"
                                           "[Mission]\n"
                                           "A_Goes=12.500000\n");
    EXPECT_EQ(entries(dir.path()), QStringList({s("Trekkomat2.INI"), s("new.INI")}));
}

TEST(IniProfile, RefusedEntryLeavesTheFileAlone)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    IniProfile profile;
    const Result<> refused =
        profile.writeString(s("Advance"), s("Language"), s("1\n[Advance]"), path);
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.error().isEmpty());
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("1"), QString()));
    EXPECT_EQ(readAll(path), settings);
}

TEST(IniProfile, FailedWriteIntoAReadOnlyFolderKeepsTheOldFile)
{
    ScratchMount mount(s("64k"));
    const bool root = ::geteuid() == 0;
    if (root && !mount.mounted()) {
        GTEST_SKIP() << "root ignores folder permissions and " << mount.error().toStdString();
    }
    const TempDir dir;
    const QString folder = mount.mounted() ? mount.path() : dir.path();
    const QString path = folder + s("/Trekkomat2.INI");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(settings), settings.size());
    }
    if (mount.mounted()) {
        ASSERT_TRUE(mount.remountReadOnly()) << mount.error().toStdString();
    } else {
        ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    IniProfile profile;
    const Result<> written = profile.writeString(s("Advance"), s("Language"), s("2"), path);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.error().isEmpty());
    EXPECT_EQ(readAll(path), settings);
    EXPECT_EQ(entries(folder), QStringList({s("Trekkomat2.INI")}));
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, path), 1);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(IniProfile, FailedWriteOntoAFullFileSystemKeepsTheOldFile)
{
    ScratchMount mount(s("64k"));
    if (!mount.mounted()) {
        GTEST_SKIP() << mount.error().toStdString();
    }
    const QString path = mount.filePath(s("Trekkomat2.INI"));
    IniProfile profile;
    ASSERT_TRUE(profile.writeString(s("Advance"), s("Language"), s("1"), path));
    ASSERT_TRUE(profile.writeString(s("Personal"), s("Height"), s("170"), path));
    const QByteArray before = readAll(path);
    ASSERT_TRUE(mount.fill());

    const Result<> written =
        profile.writeString(s("Advance"), s("Language"), QString(3000, u'7'), path);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.error().isEmpty());
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(entries(mount.path()), QStringList({s("Trekkomat2.INI"), s("filler")}));

    // Room again: the next write goes through.
    ASSERT_TRUE(QFile::remove(mount.filePath(s("filler"))));
    EXPECT_TRUE(profile.writeString(s("Advance"), s("Language"), s("2"), path));
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, path), 2);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Height"), 9, path), 170);
}

TEST(IniProfile, FourProcessesWritingAtOnceKeepAllTheirKeys)
{
    const TempDir dir;
    const QString path = dir.filePath(s("Trekkomat2.INI"));
    constexpr int writers = 4;
    constexpr int keysEach = 50;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 0; w < writers; ++w) {
        auto process = std::make_unique<QProcess>();
        process->start(s(TREK_PROFILE_WRITER),
                       {path, QStringLiteral("W%1_").arg(w), QString::number(keysEach)});
        processes.push_back(std::move(process));
    }
    for (auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }

    const IniProfile profile;
    int found = 0;
    for (int w = 0; w < writers; ++w) {
        for (int n = 0; n < keysEach; ++n) {
            const QString key = QStringLiteral("W%1_%2").arg(w).arg(n);
            found += profile.getInt(s("Shared"), key, -1, path) == n ? 1 : 0;
        }
    }
    EXPECT_EQ(found, writers * keysEach);
    EXPECT_EQ(readAll(path).count("[Shared]"), 1);
    EXPECT_EQ(entries(dir.path()), QStringList({s("Trekkomat2.INI")}));
}

TEST(IniProfile, RewritesKeepTheFilesLineEndsAndEncoding)
{
    struct Case
    {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const QByteArray lf = "[Advance]\nLanguage=1\n";
    const QByteArray lfAfter = "[Advance]\nLanguage=2\nBeep=0\n\n[Personal]\nHeight=170\n";
    auto crlf = [](QByteArray text) {
        return text.replace("\n", "\r\n");
    };
    auto cr = [](QByteArray text) {
        return text.replace('\n', '\r');
    };
    const Case cases[] = {
        {"LF", lf, lfAfter},
        {"CR LF", crlf(lf), crlf(lfAfter)},
        {"CR", cr(lf), cr(lfAfter)},
        {"lone CR before a header", "[Advance]\nLanguage=1\r[Mission]\nA_Goes=3\n",
         "[Advance]\nLanguage=2\rBeep=0\n[Mission]\nA_Goes=3\n\n[Personal]\nHeight=170\n"},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + crlf(lf), "\xEF\xBB\xBF" + crlf(lfAfter)},
        {"UTF-16 LE", utf16(crlf(lf), true), utf16(crlf(lfAfter), true)},
        {"UTF-16 BE", utf16(lf, false), utf16(lfAfter, false)},
        {"one byte per character", "; K\xF6ln\n" + lf, "; K\xF6ln\n" + lfAfter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir dir;
        const QString path = dir.write(s("Trekkomat2.INI"), c.before);
        IniProfile profile;
        EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, path), 1);
        const Result<> written = profile.writeString(s("Advance"), s("Language"), s("2"), path);
        ASSERT_TRUE(written) << written.error().toStdString();
        ASSERT_TRUE(profile.writeString(s("Advance"), s("Beep"), s("0"), path));
        ASSERT_TRUE(profile.writeString(s("Personal"), s("Height"), s("170"), path));
        EXPECT_EQ(readAll(path).toHex(' ').toStdString(), c.after.toHex(' ').toStdString());
        EXPECT_EQ(profile.getInt(s("Personal"), s("Height"), 9, path), 170);
    }
}

TEST(IniProfile, AFileThatCannotBeReadOrDecodedIsNeverOverwritten)
{
    const TempDir dir;
    IniProfile profile;
    const auto refused = [&](const QString& path, const QByteArray& before) {
        const Result<> written = profile.writeString(s("Advance"), s("Language"), s("2"), path);
        EXPECT_FALSE(written);
        EXPECT_FALSE(written.error().isEmpty());
        EXPECT_FALSE(profile.writeStrings({{s("Advance"), s("Language"), s("2")}}, path).ok());
        EXPECT_FALSE(addUp(profile, path).ok());
        EXPECT_EQ(readAll(path), before);
    };

    // UTF-16 that lost its last byte: still read as far as it goes, never written.
    const QByteArray cut = utf16("[Advance]\nLanguage=1\n", true).chopped(1);
    const QString cutPath = dir.write(s("cut.INI"), cut);
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, cutPath), 1);
    refused(cutPath, cut);

    // UTF-16 without its byte-order mark: writing ASCII into it would ruin it.
    const QByteArray unmarked = utf16("[Advance]\nLanguage=1\n", true).sliced(2);
    refused(dir.write(s("unmarked.INI"), unmarked), unmarked);

    const QByteArray brokenUtf8 = "\xEF\xBB\xBF[Advance]\nLanguage=\xC3\n";
    refused(dir.write(s("broken.INI"), brokenUtf8), brokenUtf8);

    // A link that leads nowhere it can be read: replacing it would lose the link.
    const QString loop = dir.filePath(s("loop.INI"));
    ASSERT_EQ(::symlink("loop.INI", QFile::encodeName(loop).constData()), 0);
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, loop), 9);
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("2"), loop));
    EXPECT_TRUE(QFileInfo(loop).isSymLink());

    // A FIFO is not waited on, and a file far beyond any settings file is not read: both read
    // as no file and neither is replaced.
    const QString fifo = dir.makeFifo(s("fifo.INI"));
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, fifo), 9);
    const Result<> intoFifo = profile.writeString(s("Advance"), s("Language"), s("2"), fifo);
    EXPECT_FALSE(intoFifo);
    EXPECT_TRUE(intoFifo.error().contains(s("a FIFO"))) << intoFifo.error().toStdString();
    EXPECT_TRUE(dir.isFifo(s("fifo.INI")));
    const QString huge = dir.write(s("huge.INI"), "[Advance]\nLanguage=1\n");
    ASSERT_TRUE(QFile::resize(huge, (qint64{64} << 20) + 1)); // sparse
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, huge), 9);
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("2"), huge));
    EXPECT_EQ(QFileInfo(huge).size(), (qint64{64} << 20) + 1);

    // A settings file reached through a link is read, but never written through the link.
    const QString real = dir.write(s("real.INI"), "[Advance]\nLanguage=1\n");
    const QString linked = dir.makeLink(s("linked.INI"), real);
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, linked), 1);
    const Result<> throughLink = profile.writeString(s("Advance"), s("Language"), s("2"), linked);
    EXPECT_FALSE(throughLink);
    EXPECT_TRUE(throughLink.error().contains(s("a link"))) << throughLink.error().toStdString();
    EXPECT_EQ(readAll(real), QByteArray("[Advance]\nLanguage=1\n"));
    EXPECT_TRUE(QFileInfo(linked).isSymLink());

    // A one-byte file cannot take characters beyond that byte.
    const QByteArray oneByte = "; K\xF6ln\n[Advance]\nLanguage=1\n";
    const QString oneBytePath = dir.write(s("oneByte.INI"), oneByte);
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("\xE4\xB8\x80"), oneBytePath));
    EXPECT_EQ(readAll(oneBytePath), oneByte);
    EXPECT_TRUE(QDir(dir.path())
                    .entryList({s(".*.tmp")}, QDir::Files | QDir::Hidden | QDir::System)
                    .isEmpty());
}

TEST(IniProfile, OneByteFileWithANulByteTakesEveryCounterUpdateAndKeepsItsOtherBytes)
{
    const TempDir dir;
    const QByteArray before = QByteArrayLiteral("; K\xF6ln\n[Totals]\nSteps=5\nNote=a\0b\n");
    const QString path = dir.write(s("Trekkomat2.INI"), before);
    IniProfile profile;
    for (int update = 0; update < 2; ++update) {
        const trek::Result<> added = addUp(profile, path);
        ASSERT_TRUE(added.ok()) << added.error().toStdString();
    }
    const QByteArray after =
        QByteArrayLiteral("; K\xF6ln\n[Totals]\nSteps=9\nNote=a\0b\n\n[Shared]\nCounter=2\n");
    EXPECT_EQ(readAll(path).toHex(' ').toStdString(), after.toHex(' ').toStdString());
    EXPECT_EQ(profile.getString(s("Totals"), s("Note"), s("d"), path),
              QString::fromLatin1("a\0b", 3));
}

TEST(IniProfile, WriteStringsChangesSeveralSectionsAllOrNone)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), "[A]\nx=1\n");
    IniProfile profile;
    ASSERT_TRUE(profile.writeStrings(
        {{s("A"), s("x"), s("2")}, {s("B"), s("y"), s("3")}, {s("a"), s("z"), s("4")}}, path));
    EXPECT_EQ(readAll(path).toStdString(), "[A]\nx=2\nz=4\n\n[B]\ny=3\n");

    // One refused entry stops them all, before the file is touched.
    EXPECT_FALSE(
        profile.writeStrings({{s("A"), s("x"), s("5")}, {s("B"), s("y"), s("1\r")}}, path).ok());
    EXPECT_EQ(readAll(path).toStdString(), "[A]\nx=2\nz=4\n\n[B]\ny=3\n");
    EXPECT_FALSE(profile.writeStrings({{s("A"), s("x"), s("5")}}, QString()).ok());
}

TEST(IniProfile, ReadsParseOnceUntilTheFileChanges)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), "[A]\nx=1\n");
    const IniProfile profile;
    ASSERT_EQ(profile.getInt(s("A"), s("x"), 9, path), 1);

    // Same inode, size and time: the stamp cannot tell, so the parsed file is used again.
    struct stat before
    {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    const auto rewrite = [&](const QByteArray& bytes, timespec modified) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_EQ(file.write(bytes), bytes.size());
        file.close();
        const timespec times[2] = {before.st_atim, modified};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    };
    rewrite("[A]\nx=2\n", before.st_mtim);
    EXPECT_EQ(profile.getInt(s("A"), s("x"), 9, path), 1);

    // A hand edit in place that changes only the time in nanoseconds is seen.
    timespec later = before.st_mtim;
    later.tv_nsec = (later.tv_nsec + 1) % 1000000000;
    rewrite("[A]\nx=3\n", later);
    EXPECT_EQ(profile.getInt(s("A"), s("x"), 9, path), 3);

    // So is a replacement by another writer, and a removal.
    IniProfile other;
    ASSERT_TRUE(other.writeString(s("A"), s("x"), s("4"), path));
    EXPECT_EQ(profile.getInt(s("A"), s("x"), 9, path), 4);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(profile.getInt(s("A"), s("x"), 9, path), 9);
}

TEST(IniProfile, UpdateAddsToTheValuesOnDiskNotToAnEarlierCopy)
{
    const TempDir dir;
    const QString path = dir.filePath(s("Trekkomat2.INI"));
    IniProfile profile;
    ASSERT_TRUE(addUp(profile, path).ok());
    ASSERT_EQ(profile.getInt(s("Shared"), s("Counter"), 0, path), 1);

    IniProfile other; // another program, say
    ASSERT_TRUE(other.writeStrings({{s("Shared"), s("Counter"), s("10")}}, path));
    ASSERT_TRUE(addUp(profile, path).ok());
    EXPECT_EQ(profile.getInt(s("Shared"), s("Counter"), 0, path), 11);
    EXPECT_EQ(profile.getInt(s("Totals"), s("Steps"), 0, path), 4);

    // An empty answer writes nothing, not even a new file.
    const QString untouched = dir.filePath(s("untouched.INI"));
    EXPECT_TRUE(profile.updateStrings(untouched,
                                      [](const ProfileValues&) { return QList<ProfileEntry>(); }));
    EXPECT_FALSE(QFile::exists(untouched));
}

TEST(IniProfile, ConcurrentUpdatesKeepEveryIncrement)
{
    const TempDir dir;
    const QString path = dir.filePath(s("Trekkomat2.INI"));
    constexpr int processes = 2;
    constexpr int threads = 2;
    constexpr int addsEach = 40;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int p = 0; p < processes; ++p) {
        auto process = std::make_unique<QProcess>();
        process->start(s(TREK_PROFILE_WRITER), {s("--add"), path, QString::number(addsEach)});
        running.push_back(std::move(process));
    }
    // And within this process, the GUI thread and a worker sharing one profile.
    IniProfile profile(std::chrono::seconds(60));
    std::atomic<int> failures = 0;
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (int n = 0; n < addsEach; ++n) {
                failures += addUp(profile, path).ok() ? 0 : 1;
                (void)profile.getInt(s("Shared"), s("Counter"), 0, path);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (auto& process : running) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    EXPECT_EQ(failures, 0);
    const int total = (processes + threads) * addsEach;
    EXPECT_EQ(profile.getInt(s("Shared"), s("Counter"), 0, path), total);
    EXPECT_EQ(profile.getInt(s("Totals"), s("Steps"), 0, path), 2 * total);
    EXPECT_EQ(entries(dir.path()), QStringList({s("Trekkomat2.INI")}));
}
