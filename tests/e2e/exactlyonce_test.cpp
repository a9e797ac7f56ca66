// SPDX-License-Identifier: GPL-3.0-or-later
// Every step collected exactly once, whatever happens to the command-line tool while it collects:
// killed at any moment, racing another collector for the working folder, a full disk, settings
// files as other editors leave them, odd entries where day files should be. Each case ends by
// comparing the store and the counters with one undisturbed collection of the same wristband.

#include "storecheck.h"
#include "support/runningcli.h"
#include "support/scratchmount.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace trek::test {
namespace {

// Day files the tool's emulator writes onto a disk: `days` days up to `end`, from `seed`.
struct DayFiles
{
    QString kind; // "text" or "kdx"
    int days = 0;
    int seed = 0;
    QString end;
};

// One undisturbed collection: what it stored and how long a run took.
struct Reference
{
    StoreState state;
    double ms = 0;
};

class ExactlyOnce : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The tool's home and temporary folders lie inside the test's folder, so that the
        // snapshot below sees whatever it might write there.
        for (const char* name : {"home", "tmp", "templates", "outside"}) {
            QDir().mkpath(dir.filePath(QString::fromLatin1(name)));
        }
        for (const auto& [variable, folder] :
             {std::pair{"HOME", "home"}, std::pair{"TMPDIR", "tmp"},
              std::pair{"XDG_CONFIG_HOME", "home/.config"},
              std::pair{"XDG_CACHE_HOME", "home/.cache"},
              std::pair{"XDG_DATA_HOME", "home/.local/share"}}) {
            SetEnvironment(variable, QFile::encodeName(dir.filePath(QString::fromLatin1(folder))));
        }
        // The system's reasons in the tool's messages, in the words the tests look for.
        SetEnvironment("LC_ALL", "C");
        QDir().mkpath(work());
        QDir().mkpath(disk());
    }

    void TearDown() override
    {
        if (m_watching) {
            const QMap<QString, QByteArray> now = Snapshot(dir.path(), Collected());
            QStringList changed;
            for (const QString& name :
                 QSet<QString>(now.keyBegin(), now.keyEnd()) +
                     QSet<QString>(m_outside.keyBegin(), m_outside.keyEnd())) {
                if (now.value(name) != m_outside.value(name)) {
                    changed << name;
                }
            }
            changed.sort();
            EXPECT_TRUE(changed.isEmpty())
                << "changed outside the working folder and the wristband: "
                << changed.join(QStringLiteral(", ")).toStdString();
        }
        for (const auto& [variable, value] : m_savedEnvironment) {
            if (value) {
                qputenv(variable, *value);
            } else {
                qunsetenv(variable);
            }
        }
    }

    void SetEnvironment(const char* variable, const QByteArray& value)
    {
        m_savedEnvironment.push_back({variable, qEnvironmentVariableIsSet(variable)
                                                    ? std::optional(qgetenv(variable))
                                                    : std::nullopt});
        qputenv(variable, value);
    }

    QString work() const { return dir.filePath(QStringLiteral("work")); }
    QString disk() const { return dir.filePath(QStringLiteral("disk")); }
    QString band() const { return dir.filePath(QStringLiteral("band")); }
    QString outside(const QString& name) const
    {
        return dir.filePath(QStringLiteral("outside/") + name);
    }
    QString image() const { return band() + QStringLiteral("/k9e.img"); }

    // The folders a collection may write in: the working folder and the wristband.
    static QStringList Collected()
    {
        return {QStringLiteral("work"), QStringLiteral("disk"), QStringLiteral("disk2"),
                QStringLiteral("band")};
    }

    // From here on, nothing but the collected folders may change until the test ends.
    void WatchOutside()
    {
        m_outside = Snapshot(dir.path(), Collected());
        m_watching = true;
    }

    // A disk made by the tool, kept as a template to copy from.
    QString MakeDisk(const QString& name, const std::vector<DayFiles>& parts)
    {
        QString folder = dir.filePath(QStringLiteral("templates/") + name);
        for (const auto& [kind, days, seed, end] : parts) {
            const CliRun made = RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"),
                                        folder, QStringLiteral("--days"), QString::number(days),
                                        QStringLiteral("--kind"), kind, QStringLiteral("--seed"),
                                        QString::number(seed), QStringLiteral("--end"), end});
            EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        }
        return folder;
    }

    QString MakeK9EImage(int days, int seed, const QString& end)
    {
        return MakeImage(QStringLiteral("k9e"), days, seed, end);
    }
    QString MakeImage(const QString& model, int days, int seed, const QString& end)
    {
        QString file = dir.filePath(QStringLiteral("templates/") + model + QStringLiteral(".img"));
        const CliRun made =
            RunCli({QStringLiteral("emulate"), QStringLiteral("make-image"), model, file,
                    QStringLiteral("--days"), QString::number(days), QStringLiteral("--seed"),
                    QString::number(seed), QStringLiteral("--end"), end});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        return file;
    }

    // An empty working folder and a fresh copy of the wristband.
    void FreshDisk(const QString& templateFolder, const QString& target)
    {
        EmptyFolder(work());
        EmptyFolder(target);
        CopyFolder(templateFolder, target);
    }
    void FreshImage(const QString& templateImage)
    {
        EmptyFolder(work());
        EmptyFolder(band());
        QDir().mkpath(band());
        ASSERT_TRUE(QFile::copy(templateImage, image()));
    }

    // The median of `runs` undisturbed collections, each from a fresh start.
    Reference Undisturbed(const std::function<void()>& fresh, const QString& drive, int runs = 3)
    {
        Reference reference;
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            fresh();
            const CliRun collected = RunCli(CollectArguments(work(), drive));
            EXPECT_EQ(collected.exitCode, 0) << collected.err.toStdString();
            times.push_back(collected.ms);
        }
        std::sort(times.begin(), times.end());
        reference.ms = times[times.size() / 2];
        reference.state = ReadStore(work());
        EXPECT_GT(reference.state.totalSteps, 0);
        EXPECT_EQ(Leftovers(work()), QStringList());
        return reference;
    }

    void ExpectExactlyOnce(const StoreState& expected, const QString& when)
    {
        const Tally tally = Compare(expected, ReadStore(work()));
        EXPECT_TRUE(tally.exact()) << when.toStdString() << ": " << Describe(tally).toStdString();
        EXPECT_EQ(Leftovers(work()), QStringList()) << when.toStdString();
    }

    TempDir dir;

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_savedEnvironment;
    QMap<QString, QByteArray> m_outside;
    bool m_watching = false;
};

// ~60 day files of both kinds over two months: two commits a run, each a window for a kill.
const std::vector<DayFiles> MixedDisk{
    {QStringLiteral("text"), 30, 21, QStringLiteral("2024-03-05")},
    {QStringLiteral("kdx"), 30, 22, QStringLiteral("2024-03-20")}};

constexpr int KillPoints = 25;

TEST_F(ExactlyOnce, KilledAtAnyMomentOfACollectionAndRunAgain)
{
    const QString disk60 = MakeDisk(QStringLiteral("mixed"), MixedDisk);
    const QString k9e = MakeK9EImage(20, 23, QStringLiteral("2024-03-10"));
    const Reference fromDisk = Undisturbed([&] { FreshDisk(disk60, disk()); }, DiskDrive(disk()));
    const Reference fromImage = Undisturbed([&] { FreshImage(k9e); }, K9EDrive(image()));
    WatchOutside();

    for (const auto& [reference, drive] :
         {std::pair{&fromDisk, DiskDrive(disk())}, std::pair{&fromImage, K9EDrive(image())}}) {
        int killedInRun = 0;
        for (int point = 0; point < KillPoints; ++point) {
            const auto delayUs =
                static_cast<qint64>(reference->ms * 1000.0 * point / (KillPoints - 1));
            if (reference == &fromDisk) {
                FreshDisk(disk60, disk());
            } else {
                FreshImage(k9e);
            }
            killedInRun += RunCliKilledAfter(CollectArguments(work(), drive), delayUs) ? 1 : 0;
            CollectUntilDone(work(), drive);
            ExpectExactlyOnce(reference->state,
                              drive + QStringLiteral(", killed after %1 us").arg(delayUs));
        }
        // Kills that all came after the end would prove nothing. A collection runs faster once
        // its files are cached than the reference did, so the later points may miss it; a third
        // inside it still spreads the kills over its whole course.
        EXPECT_GE(killedInRun, KillPoints / 3) << drive.toStdString();
    }
}

TEST_F(ExactlyOnce, TwoCollectorsOnOneWorkingFolder)
{
    const QString textDisk = MakeDisk(
        QStringLiteral("a"), {{QStringLiteral("text"), 20, 31, QStringLiteral("2024-04-10")}});
    const QString kdxDisk = MakeDisk(
        QStringLiteral("b"), {{QStringLiteral("kdx"), 20, 32, QStringLiteral("2024-04-20")}});
    const QString disk2 = dir.filePath(QStringLiteral("disk2"));
    const Reference a = Undisturbed([&] { FreshDisk(textDisk, disk()); }, DiskDrive(disk()), 1);
    const Reference b = Undisturbed([&] { FreshDisk(kdxDisk, disk()); }, DiskDrive(disk()), 1);
    WatchOutside();

    constexpr int Rounds = 6; // the last one on a single disk
    for (int round = 0; round < Rounds; ++round) {
        const bool sameDisk = round == Rounds - 1;
        FreshDisk(textDisk, disk());
        EmptyFolder(disk2);
        CopyFolder(kdxDisk, disk2);
        const QStringList drives{DiskDrive(disk()), DiskDrive(sameDisk ? disk() : disk2)};
        QProcess collectors[2];
        for (std::size_t i = 0; i < 2; ++i) {
            collectors[i].start(QStringLiteral(TREK_CLI_PATH),
                                CollectArguments(work(), drives[static_cast<qsizetype>(i)]));
        }
        for (QProcess& collector : collectors) {
            ASSERT_TRUE(collector.waitForFinished(60000));
            const QString err = QString::fromUtf8(collector.readAllStandardError());
            // The loser of the race waits for the folder, or gives up saying why.
            EXPECT_TRUE(collector.exitCode() == 0 ||
                        (collector.exitCode() == 1 && err.contains(QStringLiteral("busy"))))
                << "round " << round << ": exit " << collector.exitCode() << ", "
                << err.toStdString();
        }
        for (const QString& drive : drives) {
            CollectUntilDone(work(), drive);
        }
        ExpectExactlyOnce(sameDisk ? a.state : Sum(a.state, b.state),
                          QStringLiteral("round %1").arg(round));
    }
}

// Two programs collecting one pass-through wristband into one folder: each reads the records only
// while it holds the wristband and the folder, so the second finds them taken. Half the rounds
// race a collect against another collect, half the window against watch.
TEST_F(ExactlyOnce, TwoCollectorsOfOnePassThroughWristband)
{
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& model : {QStringLiteral("k7"), QStringLiteral("k9e")}) {
        SCOPED_TRACE(model.toStdString());
        const QString templateImage = MakeImage(model, 12, 61, QStringLiteral("2024-06-12"));
        const QString drive = QStringLiteral("F=%1:%2").arg(model, image());
        const Reference reference = Undisturbed([&] { FreshImage(templateImage); }, drive, 1);
        constexpr int Rounds = 10;
        for (int round = 0; round < Rounds; ++round) {
            FreshImage(templateImage);
            ASSERT_FALSE(QFileInfo::exists(CollectedMark(image())));
            QProcess first;
            if (round % 2 == 0) {
                first.start(QStringLiteral(TREK_CLI_PATH), CollectArguments(work(), drive));
                QProcess second;
                second.start(QStringLiteral(TREK_CLI_PATH), CollectArguments(work(), drive));
                for (QProcess* collector : {&first, &second}) {
                    ASSERT_TRUE(collector->waitForFinished(60000));
                    EXPECT_EQ(collector->exitCode(), 0)
                        << collector->readAllStandardError().toStdString();
                }
                EXPECT_TRUE(QFileInfo::exists(CollectedMark(image())));
            } else {
                // The window works in the folder it is started in and collects without asking;
                // it quits once it has drawn its picture.
                QFile settings(work() + QStringLiteral("/Trekkomat2.INI"));
                ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
                settings.write("[Advance]\r\nAutoConfirm=1\r\n");
                settings.close();
                first.setWorkingDirectory(work());
                first.setProcessEnvironment(offscreen);
                first.start(QStringLiteral(TREK_WINDOW_PATH),
                            {QStringLiteral("--no-update-check"), QStringLiteral("--drive"), drive,
                             QStringLiteral("--screenshot"), outside(QStringLiteral("w.png"))});
                // The window looks for wristbands half a second after it is up; watch, started
                // a little later each round, looks at once, so either may come first.
                QThread::msleep(static_cast<unsigned long>(400 + 50 * (round / 2)));
                RunningCli watch;
                watch.start({QStringLiteral("--workdir"), work(), QStringLiteral("--drive"), drive,
                             QStringLiteral("watch")});
                // "found", then "collected", or "unchanged" when the window had it first.
                EXPECT_TRUE(watch.waitFor(QStringLiteral("\tF"), 2)) << watch.out.toStdString();
                EXPECT_FALSE(watch.out.contains(QStringLiteral("failed")))
                    << watch.out.toStdString();
                ASSERT_TRUE(first.waitForFinished(60000));
                EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
                watch.signal(SIGTERM);
                EXPECT_EQ(watch.finish(), 0) << watch.err.toStdString();
                // A window that drew its picture in the middle of its collection left the rest
                // for the next run, as any program ended then does.
                CollectUntilDone(work(), drive);
            }
            ExpectExactlyOnce(reference.state, QStringLiteral("round %1").arg(round));
        }
    }
}

// Frees `kib` KiB of a full scratch file system by shortening its filler.
void LeaveFree(const ScratchMount& mount, int kib)
{
    ASSERT_TRUE(mount.fill());
    QFile filler(mount.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - qint64{kib} * 1024)));
}

// A few day files of both kinds over two months: each kind is its own commit, and each commit
// writes two months, so a full disk can stop a commit between its months.
const std::vector<DayFiles> SmallMixedDisk{
    {QStringLiteral("text"), 6, 41, QStringLiteral("2024-03-02")},
    {QStringLiteral("kdx"), 6, 42, QStringLiteral("2024-03-03")}};

class FullDisk : public ExactlyOnce
{
protected:
    void TearDown() override
    {
        ExactlyOnce::TearDown();
        m_mount.reset();
    }

    // Collects with 0, `stepKib`, 2 * `stepKib`, ... KiB free on a scratch file system at
    // `mountPoint`, until the collection has room enough twice in a row; after each attempt the
    // room comes back and the collection is run to its end. The attempt may fail, but only
    // with a reason.
    void SweepFreeSpace(const QString& mountPoint, const QString& size, int stepKib)
    {
        const QString small = MakeDisk(QStringLiteral("small"), SmallMixedDisk);
        const Reference reference =
            Undisturbed([&] { FreshDisk(small, disk()); }, DiskDrive(disk()), 1);
        EmptyFolder(work());
        QDir().mkpath(mountPoint);
        m_mount = std::make_unique<ScratchMount>(size, mountPoint);
        if (!m_mount->mounted()) {
            GTEST_SKIP() << m_mount->error().toStdString();
        }
        WatchOutside();
        int failures = 0;
        for (int kib = 0, roomy = 0; roomy < 2; kib += stepKib) {
            FreshDisk(small, disk());
            QDir().mkpath(mountPoint);
            LeaveFree(*m_mount, kib);
            const CliRun full = RunCli(CollectArguments(work(), DiskDrive(disk())));
            if (full.exitCode != 0) {
                ++failures;
                EXPECT_EQ(full.exitCode, 1) << kib << " KiB free";
                // It says why, and a day file it could not copy aside names the full disk too.
                const QString space = QStringLiteral("No space left on device");
                EXPECT_TRUE(full.err.contains(space))
                    << kib << " KiB free: " << full.err.toStdString();
                for (const QString& line : full.err.split(u'\n')) {
                    EXPECT_TRUE(!line.contains(QStringLiteral("cannot be copied")) ||
                                line.contains(space))
                        << kib << " KiB free: " << line.toStdString();
                }
            }
            roomy = full.exitCode == 0 ? roomy + 1 : 0;
            ASSERT_TRUE(QFile::remove(m_mount->filePath(QStringLiteral("filler"))));
            CollectUntilDone(work(), DiskDrive(disk()));
            ExpectExactlyOnce(reference.state, QStringLiteral("%1 KiB free").arg(kib));
            ASSERT_LT(kib, 4096) << "the collection never had room enough";
        }
        // A sweep that never failed would have filled nothing.
        EXPECT_GT(failures, 5);
    }

    std::unique_ptr<ScratchMount> m_mount;
};

TEST_F(FullDisk, WorkingFolderFilledAtEverySizeStep)
{
    SweepFreeSpace(work(), QStringLiteral("1m"), 16);
}

TEST_F(FullDisk, DataFolderFilledAtEverySizeStep)
{
    SweepFreeSpace(work() + QStringLiteral("/Data"), QStringLiteral("512k"), 16);
}

// A save cut short on a full disk keeps its journal; the user then copies the working folder
// elsewhere and collects there. The journal is finished in the copy, as if nothing had happened,
// and the folder it was written in is left as it is.
TEST_F(FullDisk, JournalIsFinishedWhereTheWorkingFolderWasCopiedTo)
{
    const QString small = MakeDisk(QStringLiteral("small"), SmallMixedDisk);
    const Reference reference =
        Undisturbed([&] { FreshDisk(small, disk()); }, DiskDrive(disk()), 1);
    const QString copy = dir.filePath(QStringLiteral("copy"));
    EmptyFolder(work());
    m_mount = std::make_unique<ScratchMount>(QStringLiteral("1m"), work());
    if (!m_mount->mounted()) {
        GTEST_SKIP() << m_mount->error().toStdString();
    }
    int journals = 0;
    for (int kib = 0; kib < 1024 && journals < 3; kib += 8) {
        FreshDisk(small, disk());
        LeaveFree(*m_mount, kib);
        RunCli(CollectArguments(work(), DiskDrive(disk())));
        ASSERT_TRUE(QFile::remove(m_mount->filePath(QStringLiteral("filler"))));
        if (!QFileInfo::exists(work() + QStringLiteral("/Trekkomat2.journal"))) {
            continue;
        }
        ++journals;
        EmptyFolder(copy);
        CopyFolder(work(), copy);
        const QMap<QString, QByteArray> left = Snapshot(work(), {});
        CollectUntilDone(copy, DiskDrive(disk()));
        EXPECT_EQ(Snapshot(work(), {}), left) << kib << " KiB free";
        const Tally tally = Compare(reference.state, ReadStore(copy));
        EXPECT_TRUE(tally.exact()) << kib << " KiB free: " << Describe(tally).toStdString();
        EXPECT_EQ(Leftovers(copy), QStringList());
    }
    EXPECT_GT(journals, 0) << "no save was cut short after its journal";
}

// A settings file as other editors leave it, in the three shapes: every line but the counters'
// stays byte for byte, and the counters go on from the file's values.
TEST_F(ExactlyOnce, CountersAreAddedToSettingsFilesOfEveryShape)
{
    const QString small = MakeDisk(QStringLiteral("three"),
                                   {{QStringLiteral("text"), 3, 51, QStringLiteral("2024-05-02")}});
    const Reference reference =
        Undisturbed([&] { FreshDisk(small, disk()); }, DiskDrive(disk()), 1);
    WatchOutside();
    const auto crOnly = [](qint64 steps, qint64 period) {
        return QStringLiteral("[Advance]\rDisplayMode=0\r\r[Personal]\rName=Zo\u00eb\rHeight=172\r"
                              "[Summary]\rTotalSteps=%1\rTotalPeriod=%2\rBest=777\r[Other]\rKey=1")
            .arg(steps)
            .arg(period)
            .toUtf8();
    };
    const auto utf16 = [](qint64 steps, qint64 period) {
        const QString text =
            QStringLiteral("\ufeff; written by hand\r\n[Summary]\r\nTotalSteps=%1\r\nTotalPeriod="
                           "%2\r\n\r\n[Personal]\r\nName=\u00c5sa \u4e2d\r\n[Advance]\r\n"
                           "DisplayMode=0\r\n")
                .arg(steps)
                .arg(period);
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    const auto loneCr = [](qint64 steps, qint64 period) {
        return QStringLiteral("[Summary]\r\nTotalSteps=%1\r\nTotalPeriod=%2\r[Personal]\r\n"
                              "Name=Kim\r\n[Advance]\r\nDisplayMode=0\r\n")
            .arg(steps)
            .arg(period)
            .toUtf8();
    };
    const std::pair<const char*, std::function<QByteArray(qint64, qint64)>> shapes[] = {
        {"CR only", crOnly}, {"UTF-16 LE", utf16}, {"lone CR", loneCr}};
    const QString settings = work() + QStringLiteral("/Trekkomat2.INI");
    for (const auto& [shape, text] : shapes) {
        FreshDisk(small, disk());
        QFile file(settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text(1000, 20));
        file.close();

        EXPECT_EQ(CollectUntilDone(work(), DiskDrive(disk())), 1) << shape;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(),
                  text(1000 + reference.state.totalSteps, 20 + reference.state.totalPeriod))
            << shape;
        file.close();
    }
}

TEST_F(ExactlyOnce, FifosAndLinksNamedLikeDayFilesEndTheCollectionPromptly)
{
    const QString small = MakeDisk(QStringLiteral("four"),
                                   {{QStringLiteral("text"), 4, 61, QStringLiteral("2024-06-04")}});
    const Reference reference =
        Undisturbed([&] { FreshDisk(small, disk()); }, DiskDrive(disk()), 1);
    FreshDisk(small, disk());
    dir.makeFifo(QStringLiteral("disk/20240610.txt"));
    dir.makeLink(QStringLiteral("disk/20240611.KDX"), QStringLiteral("/dev/zero"));
    dir.makeLink(QStringLiteral("disk/20240612.txt"), dir.makeFifo(QStringLiteral("outside/pipe")));
    dir.makeLink(QStringLiteral("disk/20240613.txt"), outside(QStringLiteral("missing.txt")));
    WatchOutside();

    const CliRun run = RunCli(CollectArguments(work(), DiskDrive(disk())), 20000);
    ASSERT_TRUE(run.finished) << "the collection hung";
    EXPECT_EQ(run.exitCode, 1);
    for (const char* name : {"20240610.txt", "20240611.KDX", "20240612.txt", "20240613.txt"}) {
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(name))) << name << " not reported";
    }
    ExpectExactlyOnce(reference.state, QStringLiteral("beside odd entries"));
    EXPECT_EQ(DayFilesOn(disk()), 4); // the odd ones, left alone
}

TEST_F(ExactlyOnce, LinkedStoreAndSettingsFilesAreNeverWrittenThrough)
{
    const QString small = MakeDisk(QStringLiteral("june"),
                                   {{QStringLiteral("text"), 4, 62, QStringLiteral("2024-06-04")}});
    FreshDisk(small, disk());
    QFile month(outside(QStringLiteral("month.bin")));
    ASSERT_TRUE(month.open(QIODevice::WriteOnly));
    month.write(QByteArray(89280, '\1'));
    month.close();
    QFile settings(outside(QStringLiteral("settings.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Summary]\r\nTotalSteps=5\r\n");
    settings.close();
    QDir().mkpath(work() + QStringLiteral("/Data"));
    ASSERT_TRUE(QFile::link(month.fileName(), work() + QStringLiteral("/Data/Stepo202406.BIN")));
    ASSERT_TRUE(QFile::link(settings.fileName(), work() + QStringLiteral("/Trekkomat2.INI")));
    WatchOutside();

    const CliRun run = RunCli(CollectArguments(work(), DiskDrive(disk())), 20000);
    ASSERT_TRUE(run.finished) << "the collection hung";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("link"))) << run.err.toStdString();
    // A commit that can never be applied while the links stay must not be journaled: it would
    // hold up every later collection.
    EXPECT_EQ(Leftovers(work()), QStringList());
    // The snapshot at the end shows whether a file outside was written through its link.
}

} // namespace
} // namespace trek::test
